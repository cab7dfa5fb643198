#!/usr/bin/env python3
"""Turns the food-composition table into the program's food lines (data/foods.txt).

Each line: id,code,name, then the 30 values per 100 g in the program's order; an empty field means no value.
Ids run from 1 in the table's order (ordered by code).
Usage: tools/make_foods.py [../shared/data/food-composition.tsv] [data/foods.txt]
"""
import csv
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, '..', '..', 'shared', 'data', 'food-composition.tsv')
TARGET = os.path.join(HERE, '..', 'data', 'foods.txt')
VALUE_COLUMNS = 30


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else SOURCE
    target = sys.argv[2] if len(sys.argv) > 2 else TARGET
    with open(source, encoding='utf-8', newline='') as f:
        rows = list(csv.reader(f, delimiter='\t'))
    header, body = rows[0], rows[1:]
    assert header[0] == 'code' and header[1] == 'name', 'unexpected columns'
    lines = []
    for food_id, row in enumerate(body, start=1):
        code, name = row[0].strip(), row[1].strip()
        values = [v.strip() for v in row[2:2 + VALUE_COLUMNS]]
        assert len(values) == VALUE_COLUMNS, f'{code}: {len(values)} values'
        for v in values:
            if v:
                float(v)  # every value must be a plain decimal number
        if ',' in name or '"' in name:
            raise ValueError(f'{code}: the name holds a comma or a quote')
        lines.append(','.join([str(food_id), code, name] + values))
    with open(target, 'w', encoding='utf-8', newline='\n') as f:
        f.write('\n'.join(lines) + '\n')
    print(f'{len(lines)} foods written to {target}')


if __name__ == '__main__':
    main()
