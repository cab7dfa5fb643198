#!/usr/bin/env python3
"""Ranks the foods by nutrient: the ranking lines the rankings window filters (data/rankings.txt).

For each of the 26 ranked nutrients, in the order of the program's nutrient table, first the foods richest
in it, then the poorest; at most 150 foods each, among the foods that have a value for it. One line per food:
key,food id,amount per 100 g as the food data gives it. The key is the list kind ("00" richest, "01" poorest)
followed by the nutrient index. Equal amounts keep the order of the food ids.
Usage: tools/make_rankings.py [data/foods.txt] [data/rankings.txt]
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.normpath(os.path.join(HERE, '..', 'data', 'foods.txt'))
TARGET = os.path.normpath(os.path.join(HERE, '..', 'data', 'rankings.txt'))
LIST_LENGTH = 150

# The food value (index among the 30 values) of each ranked nutrient, in nutrient-index order: energy kcal,
# protein, fat, carbohydrate, fibre, cholesterol, vitamin A, carotene, retinol, thiamine, riboflavin, niacin,
# vitamin B12, vitamin B6, vitamin C, vitamin E, potassium, sodium, magnesium, phosphorus, calcium, manganese,
# iron, copper, zinc, selenium.
RANKED_VALUES = [2, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29]


def read_foods(path):
    foods = []
    with open(path, encoding='utf-8') as f:
        for line in f:
            fields = line.rstrip('\n').split(',')
            if len(fields) != 33:
                continue
            foods.append((int(fields[0]), fields[3:]))
    return foods


def ranking_lines(foods):
    lines = []
    for index, value in enumerate(RANKED_VALUES):
        valued = [(float(values[value]), food_id, values[value]) for food_id, values in foods if values[value]]
        richest = sorted(valued, key=lambda v: (-v[0], v[1]))[:LIST_LENGTH]
        poorest = sorted(valued, key=lambda v: (v[0], v[1]))[:LIST_LENGTH]
        for kind, ranked in (('00', richest), ('01', poorest)):
            lines += [f'{kind}{index},{food_id},{text}' for _, food_id, text in ranked]
    return lines


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else SOURCE
    target = sys.argv[2] if len(sys.argv) > 2 else TARGET
    lines = ranking_lines(read_foods(source))
    with open(target, 'w', encoding='utf-8', newline='\n') as f:
        f.write('\n'.join(lines) + '\n')
    print(f'{len(lines)} ranking lines written to {target}')


if __name__ == '__main__':
    main()
