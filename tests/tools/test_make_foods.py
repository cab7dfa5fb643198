"""The food-table script: the rows it refuses and the lines it writes."""
import csv
import os
import sys
import unittest

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tools'))
import make_foods  # noqa: E402

HEADER = ['code', 'name'] + [f'v{i}' for i in range(30)] + ['source_code', 'check']


def row(code='01-1-101', name='小麦', kcal='338', kj='1416', check='ok', **values):
    """A table row: kcal and kJ in their columns, other values by index (v4='11.9' is the protein)."""
    cells = [''] * 30
    cells[make_foods.KCAL], cells[make_foods.KJ] = kcal, kj
    for key, value in values.items():
        cells[int(key[1:])] = value
    return [code, name] + cells + ['011101', check]


def lines(*rows):
    return make_foods.food_lines([HEADER] + list(rows))


class FoodTableRows(unittest.TestCase):
    def test_a_consistent_row_becomes_a_food_line(self):
        # 338 kcal x 4.184 = 1414 kJ: within 5 % of 1416.
        self.assertEqual(lines(row(v4='11.9'))[0], '1,01-1-101,小麦,,,338,1416,11.9' + ',' * 25)

    def test_a_negative_value_is_refused_whatever_the_check_says(self):
        with self.assertRaisesRegex(make_foods.TableError, r'04-2-105: a negative value \(-0.8\)'):
            lines(row(), row(code='04-2-105', v26='-0.8'))

    def test_a_value_that_is_no_number_is_refused(self):
        with self.assertRaisesRegex(make_foods.TableError, 'is not a number'):
            lines(row(v4='1,2'))

    def test_a_kcal_far_from_its_kj_is_refused_without_an_explanation(self):
        # 1550 kJ / 4.184 = 370 kcal, not 99: the kind of row the repaired table had.
        for check in ('unchecked', 'no-energy', ''):
            with self.assertRaisesRegex(make_foods.TableError, '99 kcal contradicts 1550 kJ'):
                lines(row(kcal='99', kj='1550', check=check, v4='11.0', v5='5.0'))

    def test_the_check_column_can_explain_a_contradiction(self):
        # Peaches: 42 kcal against 212 kJ (50.7 kcal), the kcal agreeing with the macronutrients.
        for check in ('ok', 'approx', 'suspect', 'kcal-from-kj'):
            self.assertEqual(len(lines(row(kcal='42', kj='212', check=check))), 1)

    def test_an_unchecked_row_is_explained_by_the_macronutrients_it_has(self):
        # 9 x 0.5 fat + 4 x 3.0 carbohydrate = 16.5 kcal, within 8 % of 17 (84 kJ would be 20 kcal).
        self.assertEqual(len(lines(row(kcal='17', kj='84', check='unchecked', v5='0.5', v6='3.0'))), 1)
        with self.assertRaises(make_foods.TableError):
            lines(row(kcal='17', kj='84', check='unchecked', v5='0.5'))

    def test_the_rounding_of_small_printed_numbers_is_no_contradiction(self):
        # 3 kJ is 0.6 to 0.8 kcal, 1 kcal is 0.5 to 1.5: they meet.
        self.assertEqual(len(lines(row(kcal='1', kj='3', check='unchecked'))), 1)
        # 75 kJ is at most 18.05 kcal and 19 kcal at least 18.5: 2.5 % apart.
        self.assertEqual(len(lines(row(kcal='19', kj='75', check='unchecked'))), 1)

    def test_a_row_without_energy_passes(self):
        self.assertEqual(lines(row(kcal='', kj='', check='no-energy'))[0], '1,01-1-101,小麦' + ',' * 30)


class DeliveredTable(unittest.TestCase):
    def test_the_shared_table_passes_and_matches_the_committed_food_lines(self):
        if not os.path.exists(make_foods.SOURCE):
            self.skipTest('the shared food table is not here')
        with open(make_foods.SOURCE, encoding='utf-8', newline='') as f:
            made = make_foods.food_lines(list(csv.reader(f, delimiter='\t')))
        with open(make_foods.TARGET, encoding='utf-8') as f:
            self.assertEqual(made, f.read().splitlines())


if __name__ == '__main__':
    unittest.main()
