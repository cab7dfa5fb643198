#!/usr/bin/env python3
"""Turns the food-composition table into the program's food lines (data/foods.txt).

Each line: id,code,name, then the 30 values per 100 g in the program's order; an empty field means no value.
Ids run from 1 in the table's order (ordered by code).

The table is refused, naming the row, when a value is negative, or when a kcal contradicts its kJ by more
than 5 % (beyond the rounding of the two printed numbers) and the row's check column does not explain it:
"ok" and "approx" say the kcal agrees with the macronutrients, "suspect" flags the row, "kcal-from-kj" says
the kcal was taken from the kJ; an "unchecked" row explains it only when the macronutrients it does have
give its kcal within 8 %.
Usage: tools/make_foods.py [../shared/data/food-composition.tsv] [data/foods.txt]
"""
import csv
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, '..', '..', 'shared', 'data', 'food-composition.tsv')
TARGET = os.path.join(HERE, '..', 'data', 'foods.txt')
VALUE_COLUMNS = 30
KCAL, KJ, PROTEIN, FAT, CARBOHYDRATE, FIBRE = 2, 3, 4, 5, 6, 7  # indexes among the 30 values
KJ_PER_KCAL = 4.184
ENERGY_TOLERANCE = 0.05
MACRO_TOLERANCE = 0.08
EXPLAINING_CHECKS = {'ok', 'approx', 'suspect', 'kcal-from-kj'}


class TableError(ValueError):
    pass


def number_range(text):
    """The interval of values that round to a printed number: 75 stands for 74.5 to 75.5."""
    decimals = len(text.split('.')[1]) if '.' in text else 0
    half = 0.5 * 10 ** -decimals
    value = float(text)
    return value - half, value + half


def kcal_contradicts_kj(kcal, kj):
    """Whether no pair of values that round to the two printed numbers lies within the tolerance."""
    kcal_low, kcal_high = number_range(kcal)
    kj_low, kj_high = (v / KJ_PER_KCAL for v in number_range(kj))
    if kcal_high >= kj_low and kj_high >= kcal_low:
        return False
    gap = kj_low - kcal_high if kcal_high < kj_low else kcal_low - kj_high
    return gap > ENERGY_TOLERANCE * max(kj_high, kcal_high)


def macro_kcal(values):
    """4 x protein + 9 x fat + 4 x (carbohydrate - fibre) + 2 x fibre over the values the row has."""
    def v(i):
        return float(values[i]) if values[i] else 0.0
    fibre = v(FIBRE)
    return 4 * v(PROTEIN) + 9 * v(FAT) + 4 * (v(CARBOHYDRATE) - fibre) + 2 * fibre


def energy_explained(check, values):
    if check in EXPLAINING_CHECKS:
        return True
    if check == 'unchecked':
        kcal = float(values[KCAL])
        return kcal > 0 and abs(macro_kcal(values) - kcal) <= MACRO_TOLERANCE * kcal
    return False


def check_row(code, values, check):
    for v in values:
        if not v:
            continue
        try:
            number = float(v)
        except ValueError:
            raise TableError(f'{code}: "{v}" is not a number') from None
        if number < 0:
            raise TableError(f'{code}: a negative value ({v})')
    kcal, kj = values[KCAL], values[KJ]
    if kcal and kj and kcal_contradicts_kj(kcal, kj) and not energy_explained(check, values):
        raise TableError(f'{code}: {kcal} kcal contradicts {kj} kJ and the check column ("{check}") '
                         'does not explain it')


def food_lines(rows):
    header, body = rows[0], rows[1:]
    if header[0] != 'code' or header[1] != 'name':
        raise TableError('unexpected columns')
    check_column = header.index('check') if 'check' in header else None
    lines = []
    for food_id, row in enumerate(body, start=1):
        code, name = row[0].strip(), row[1].strip()
        values = [v.strip() for v in row[2:2 + VALUE_COLUMNS]]
        if len(values) != VALUE_COLUMNS:
            raise TableError(f'{code}: {len(values)} values')
        check = row[check_column].strip() if check_column is not None and check_column < len(row) else ''
        check_row(code, values, check)
        if ',' in name or '"' in name:
            raise TableError(f'{code}: the name holds a comma or a quote')
        lines.append(','.join([str(food_id), code, name] + values))
    return lines


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else SOURCE
    target = sys.argv[2] if len(sys.argv) > 2 else TARGET
    with open(source, encoding='utf-8', newline='') as f:
        rows = list(csv.reader(f, delimiter='\t'))
    try:
        lines = food_lines(rows)
    except TableError as e:
        sys.exit(f'{source}: {e}')
    with open(target, 'w', encoding='utf-8', newline='\n') as f:
        f.write('\n'.join(lines) + '\n')
    print(f'{len(lines)} foods written to {target}')


if __name__ == '__main__':
    main()
