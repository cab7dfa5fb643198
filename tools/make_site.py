#!/usr/bin/env python3
"""Generates the information site that travels with the program (data/site/) and the four lists of its
entries that the health-information window shows (data/health-lists.txt), from the program's own data.

Pages, below the site root:
  zhongyao/yys-<page>.htm  the 26 ranked nutrients: what each is (data/site-text/nutrients.txt), the adult
                           reference intakes of the program's tables (src/core/EnergyTargets.cpp) and the ten
                           foods richest in it (data/rankings.txt)
  zhongyao/0<id>.htm       kind 1, common foods (data/site-text/common-foods.txt): composition and the
                           nutrients in which the food ranks high among all foods
  2/<id>.htm               kind 2, the foods of group 21 (药食两用食物及其它), laid out as kind 1
  ShiPu/<id>.htm           kind 3, the delivered recipes (data/recipes.txt, when present): ingredients,
                           preparation and nutrient totals; the id is the recipe's place in the file, which
                           is its id in the delivered database
  Cha/<code>.htm           kind 4, teas and tea infusions (data/site-text/teas.txt)
health-lists.txt: one entry a line, "kind<TAB>code<TAB>name", each kind in list order.
Usage: tools/make_site.py [recipes file]   (rewrites data/site/ and data/health-lists.txt)
"""
import html
import os
import re
import shutil
import sys

sys.dont_write_bytecode = True  # importing the rankings script leaves no cache in tools/
# The ranked nutrients by index: the food value each comes from (index among the 30 values).
from make_rankings import RANKED_VALUES  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, '..'))
DATA = os.path.join(ROOT, 'data')
TEXTS = os.path.join(DATA, 'site-text')
SITE = os.path.join(DATA, 'site')


# The composition as the food window shows it: (value index, name, unit), two columns of 14 rows.
COMPOSITION = [
    [(0, '可食部份', '%'), (1, '水', '克'), (4, '蛋白质', '克'), (5, '脂肪', '克'), (6, '碳水化合物', '克'),
     (7, '膳食纤维', '克'), (8, '胆固醇', '毫克'), (9, '灰分', '克'), (10, '维生素A', '微克'),
     (11, '胡萝卜素', '微克'), (12, '视黄醇', '微克'), (13, '硫胺素', '毫克'), (14, '核黄素', '毫克'),
     (15, '尼克酸', '毫克')],
    [(16, '维生素B12', '毫克'), (17, '维生素B6', '毫克'), (18, '维生素C', '毫克'), (19, '维生素E', '毫克'),
     (24, '钙', '毫克'), (23, '磷', '毫克'), (20, '钾', '毫克'), (21, '钠', '毫克'), (22, '镁', '毫克'),
     (26, '铁', '毫克'), (28, '锌', '毫克'), (29, '硒', '微克'), (27, '铜', '毫克'), (25, '锰', '毫克')],
]

# Where each nutrient's adult reference intake stands in the program's tables: (table, field).
REFERENCE_FIELDS = {
    0: ('Energy', 3), 1: ('Energy', 4), 2: ('Energy', 5), 3: ('Energy', 6),
    6: ('Vitamin', 2), 9: ('Vitamin', 3), 10: ('Vitamin', 4), 14: ('Vitamin', 5), 15: ('Vitamin', 6),
    19: ('Mineral', 2), 16: ('Mineral', 3), 17: ('Mineral', 4), 18: ('Mineral', 5), 20: ('Mineral', 6),
    22: ('Mineral', 7), 23: ('Mineral', 8), 24: ('Mineral', 9), 25: ('Mineral', 10),
}
# The recipe totals in the order of the nutrient-totals window: (value index, name, unit); energy comes first.
RECIPE_TOTALS = [(6, '碳水化合物', '克'), (4, '蛋白质', '克'), (5, '脂肪', '克'), (7, '膳食纤维', '克'),
                 (8, '胆固醇', '毫克'), (10, '维生素A', '微克'), (11, '胡萝卜素', '微克'), (12, '视黄醇', '微克'),
                 (14, '核黄素', '毫克'), (13, '硫胺素', '毫克'), (15, '尼克酸', '毫克'), (18, '维生素C', '毫克'),
                 (19, '维生素E', '毫克'), (24, '钙', '毫克'), (23, '磷', '毫克'), (27, '铜', '毫克'), (20, '钾', '毫克'),
                 (21, '钠', '毫克'), (22, '镁', '毫克'), (26, '铁', '毫克'), (25, '锰', '毫克'), (28, '锌', '毫克'),
                 (29, '硒', '微克')]
ACTIVITY_LEVELS = {'1': '轻度体力活动', '2': '中度体力活动', '3': '重度体力活动'}
TOP_SHARE = 0.10  # a food "ranks high" in a nutrient within this share of the foods that have a value
SOURCE_NOTE = '食物成分数据来自《中国食物成分表》（标准版，第6版），数值均为每100克可食部分的含量。'

STYLE = """body { font-family: "Microsoft YaHei", "WenQuanYi Micro Hei", "Noto Sans CJK SC", sans-serif; font-size: 14px; color: #222; margin: 12px; }
h2 { color: #1d5fa8; font-size: 20px; margin: 4px 0 8px 0; }
h3 { color: #1d5fa8; font-size: 15px; margin: 16px 0 6px 0; }
p { line-height: 150%; margin: 4px 0; }
p.sub { color: #666; }
p.note { color: #777; font-size: 12px; margin-top: 14px; }
table { border-collapse: collapse; }
th { background-color: #e3eefc; font-weight: bold; }
td, th { border: 1px solid #c8d4e2; padding: 3px 10px; }
td.num { text-align: right; }"""


def esc(text):
    return html.escape(text, quote=False)


def read_lines(path):
    with open(path, encoding='utf-8') as f:
        return [line.rstrip('\n') for line in f]


def sections(path):
    """The "## heading" sections of a text file: (heading, lines), comments and blank lines left out."""
    result = []
    for line in read_lines(path):
        if line.startswith('#') and not line.startswith('## '):
            continue
        if line.startswith('## '):
            result.append((line[3:].strip(), []))
        elif result and line.strip():
            result[-1][1].append(line.strip())
    return result


def number_text(text):
    """A stored number as the program shows it: no trailing zeros."""
    value = float(text)
    return ('%.15g' % value) if value != int(value) else str(int(value))


# The program's own tables ----------------------------------------------------------------------------

def cpp_pairs(source, array):
    block = re.search(array + r'\{\{(.*?)\}\};', source, re.S).group(1)
    # (code, name) or (index, name, page); a nutrient's unit, the fourth text, is not read here.
    return re.findall(r'\{QStringLiteral\("([^"]*)"\), QStringLiteral\("([^"]*)"\)(?:, QStringLiteral\("([^"]*)"\))?'
                      r'(?:, QStringLiteral\("[^"]*"\))?\}', block)


def read_const_tables():
    with open(os.path.join(ROOT, 'src', 'core', 'ConstTables.cpp'), encoding='utf-8') as f:
        source = f.read()
    groups = {code: name for code, name, _ in cpp_pairs(source, 'FoodGroups')}
    subgroups = {code: name for code, name, _ in cpp_pairs(source, 'FoodSubgroups')}
    nutrients = [(int(index), name, page) for index, name, page in cpp_pairs(source, 'NutrientTable')]
    return groups, subgroups, nutrients


def read_reference_rows():
    with open(os.path.join(ROOT, 'src', 'core', 'EnergyTargets.cpp'), encoding='utf-8') as f:
        source = f.read()
    tables = {}
    for sex in ('Male', 'Female'):
        for table in ('Energy', 'Vitamin', 'Mineral'):
            block = re.search(r'const QStringList ' + sex + table + r'Rows\{(.*?)\};', source, re.S).group(1)
            tables[(sex, table)] = [row.split('|') for row in re.findall(r'QStringLiteral\("([^"]*)"\)', block)]
    return tables


def read_foods():
    foods = {}
    for line in read_lines(os.path.join(DATA, 'foods.txt')):
        fields = line.split(',')
        if len(fields) == 33:
            foods[int(fields[0])] = {'id': int(fields[0]), 'code': fields[1], 'name': fields[2], 'values': fields[3:]}
    return foods


def read_rankings():
    rankings = {}
    for line in read_lines(os.path.join(DATA, 'rankings.txt')):
        key, food_id, amount = line.split(',')
        rankings.setdefault(key, []).append((int(food_id), amount))
    return rankings


# Pages ---------------------------------------------------------------------------------------------

def page(title, body):
    return ('<!DOCTYPE html>\n<html lang="zh-CN">\n<head>\n<meta charset="utf-8">\n'
            f'<title>{esc(title)}</title>\n<style>\n{STYLE}\n</style>\n</head>\n<body>\n{body}</body>\n</html>\n')


def write_page(path, title, body):
    full = os.path.join(SITE, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, 'w', encoding='utf-8', newline='\n') as f:
        f.write(page(title, body))


def table(headers, rows, numeric=()):
    out = ['<table>', '<tr>' + ''.join(f'<th>{esc(h)}</th>' for h in headers) + '</tr>']
    for row in rows:
        cells = ''.join(f'<td class="num">{esc(c)}</td>' if i in numeric else f'<td>{esc(c)}</td>'
                        for i, c in enumerate(row))
        out.append(f'<tr>{cells}</tr>')
    return '\n'.join(out) + '\n</table>\n'


def paragraphs(lines):
    return ''.join(f'<p>{esc(line)}</p>\n' for line in lines)


def short_unit(unit_line):
    """"微克（μg）" gives "微克"."""
    return unit_line.split('（')[0]


class Site:
    def __init__(self):
        self.groups, self.subgroups, self.nutrients = read_const_tables()
        self.reference = read_reference_rows()
        self.foods = read_foods()
        self.rankings = read_rankings()
        self.texts = {int(heading): lines for heading, lines in sections(os.path.join(TEXTS, 'nutrients.txt'))}
        self.units = {index: short_unit(lines[0].split('：', 1)[1]) for index, lines in self.texts.items()}
        self.ranks = self.rank_all()

    def rank_all(self):
        """For each nutrient index: food id -> (rank, number of foods with a value), richest first."""
        ranks = {}
        for index, value in enumerate(RANKED_VALUES):
            valued = [(float(f['values'][value]), fid) for fid, f in self.foods.items() if f['values'][value]]
            ranks[index] = {fid: (1 + sum(1 for other, _ in valued if other > v), len(valued)) for v, fid in valued}
        return ranks

    # Nutrient pages

    def reference_section(self, index):
        if index not in REFERENCE_FIELDS:
            return '<p>本程序的参考摄入量表中没有这一项。</p>\n'
        table_name, field = REFERENCE_FIELDS[index]
        unit = self.units[index]

        def adult_rows(sex):
            return [row for row in self.reference[(sex, table_name)] if float(row[0]) == 18 and float(row[1]) == 50]

        if table_name == 'Energy':
            male, female = adult_rows('Male'), adult_rows('Female')
            rows = []
            for level, caption in ACTIVITY_LEVELS.items():
                m = next((r for r in male if r[2] == level), None)
                w = next((r for r in female if r[2] == level), None)
                if m and w:
                    rows.append((caption, number_text(m[field]) + ' ' + unit, number_text(w[field]) + ' ' + unit))
            body = table(['成年人（18～50岁）', '男', '女'], rows, numeric=(1, 2))
        else:
            m, w = adult_rows('Male')[0], adult_rows('Female')[0]
            body = table(['成年人（18～50岁）', '男', '女'],
                         [('每日参考摄入量', number_text(m[field]) + ' ' + unit, number_text(w[field]) + ' ' + unit)],
                         numeric=(1, 2))
        return body + '<p class="sub">其他年龄段的参考值请在程序主窗口的“今日营养素参考”中查看。</p>\n'

    def richest_section(self, index):
        ranked = self.rankings.get(f'00{index}', [])[:10]
        if not ranked:
            return '<p>本程序的食物成分数据中没有这一项的数值。</p>\n'
        unit = self.units[index]
        rows = [(str(i + 1), self.foods[fid]['name'], number_text(amount) + ' ' + unit)
                for i, (fid, amount) in enumerate(ranked)]
        return table(['排名', '食物', '每100克含量'], rows, numeric=(0, 2))

    def nutrient_pages(self):
        # Nutrients that share a page number (potassium and sodium) share the page.
        pages = {}
        for index, name, page_no in self.nutrients:
            pages.setdefault(page_no, []).append((index, name))
        for page_no, nutrients in pages.items():
            body = ''
            for index, name in nutrients:
                lines = self.texts[index]
                body += (f'<h2>{esc(name)}</h2>\n<p class="sub">{esc(lines[0])}</p>\n' + paragraphs(lines[1:]) +
                         '<h3>每日参考摄入量</h3>\n' + self.reference_section(index) +
                         f'<h3>{esc(name)}含量最高的十种食物</h3>\n' + self.richest_section(index))
            body += f'<p class="note">{SOURCE_NOTE}</p>\n'
            write_page(f'zhongyao/yys-{page_no}.htm', '、'.join(name for _, name in nutrients), body)

    # Food pages

    def high_nutrients(self, food):
        rows = []
        for index, name, _ in self.nutrients:
            rank = self.ranks[index].get(food['id'])
            text = food['values'][RANKED_VALUES[index]]
            if not rank or float(text) <= 0 or rank[0] > rank[1] * TOP_SHARE:
                continue
            rows.append((name, number_text(text) + ' ' + self.units[index], f'第 {rank[0]} 位 / 共 {rank[1]} 种'))
        return rows

    def food_page(self, path, food, intro):
        name = food['name']
        values = food['values']
        code = food['code']
        group = self.groups.get(code[:2], '')
        subgroup = self.subgroups.get(code[:4], '')
        kcal = number_text(values[2]) if values[2] else ' - '
        kj = number_text(values[3]) if values[3] else ' - '
        shown = list_name(name)
        body = f'<h2>{esc(shown)}</h2>\n<p class="sub">分类：{esc(group)} · {esc(subgroup)}　编码：{esc(code)}'
        body += (f'　成分表名称：{esc(name)}' if shown != name else '') + '</p>\n'
        body += paragraphs(intro)
        body += f'<p>每100克可食部分含能量 <b>{kcal}</b> 千卡（{kj} 千焦）。</p>\n'
        body += '<h3>含量较高的营养素</h3>\n'
        high = self.high_nutrients(food)
        if high:
            body += ('<p>与本程序收录的其他食物相比，下列营养素的含量排在前10%：</p>\n' +
                     table(['营养素', '每100克含量', '在有该项数据的食物中的排名'], high, numeric=(1,)))
        else:
            body += '<p>与本程序收录的其他食物相比，这种食物没有哪一项营养素的含量排在前10%。</p>\n'
        body += '<h3>营养成分（每100克可食部分）</h3>\n'
        rows = []
        for left, right in zip(*COMPOSITION):
            row = []
            for value, label, unit in (left, right):
                text = values[value]
                row += [label, (number_text(text) + ' ' + unit) if text else ' - ']
            rows.append(row)
        body += table(['成分', '含量', '成分', '含量'], rows, numeric=(1, 3))
        body += f'<p class="note">{SOURCE_NOTE}“ - ”表示没有该项数据，不代表含量为零。</p>\n'
        write_page(path, shown, body)

    def common_foods(self):
        by_name = sorted(self.foods.values(), key=lambda f: f['id'])
        picked = []
        for line in read_lines(os.path.join(TEXTS, 'common-foods.txt')):
            wanted = line.strip()
            if not wanted or wanted.startswith('#'):
                continue
            hit = next((f for f in by_name if f['name'] == wanted), None) or next(
                (f for f in by_name if f['name'].startswith(wanted) and re.match(r'[\s（(\[［]', f['name'][len(wanted):])),
                None)
            if hit is None:
                raise SystemExit(f'common-foods.txt: no food named {wanted}')
            if hit not in picked:
                picked.append(hit)
        return sorted(picked, key=lambda f: f['id'])

    def food_pages(self):
        entries = []
        for food in self.common_foods():
            self.food_page(f'zhongyao/0{food["id"]}.htm', food, [])
            entries.append((str(food['id']), list_name(food['name'])))
        return entries

    def dual_use_pages(self):
        entries = []
        intro = ['本页的食物属于食物成分表中的“药食两用食物及其它”一类。下面是它的营养成分数据，'
                 '作为药用时请遵医嘱。']
        for food in sorted(self.foods.values(), key=lambda f: f['id']):
            if food['code'].startswith('21'):
                self.food_page(f'2/{food["id"]}.htm', food, intro)
                entries.append((str(food['id']), food['name']))
        return entries

    # Recipes

    def recipe_pages(self, path):
        if not os.path.exists(path):
            return []
        by_code = {f['code']: f for f in self.foods.values()}
        entries = []
        recipe = None
        recipes = []
        for line in read_lines(path):
            if line.startswith('## '):
                recipe = {'name': line[3:].strip(), 'class': '', 'method': '', 'foods': [], 'steps': []}
                recipes.append(recipe)
            elif recipe is None or (line.startswith('#') and not recipe['steps']):
                continue
            elif recipe['steps'] or line.startswith('做法:'):
                recipe['steps'].append(line.split(':', 1)[1].strip() if line.startswith('做法:') else line)
            elif line.startswith('类别:'):
                recipe['class'] = line.split(':', 1)[1].strip()
            elif line.startswith('烹饪:'):
                recipe['method'] = line.split(':', 1)[1].strip()
            elif line.startswith('食材:'):
                code, grams = line.split(':', 1)[1].split()[:2]
                recipe['foods'].append((by_code[code], float(grams)))
        for number, r in enumerate(recipes, start=1):
            self.recipe_page(f'ShiPu/{number}.htm', r)
            entries.append((str(number), r['name']))
        return entries

    def recipe_page(self, path, r):
        def total(value):
            return sum(float(f['values'][value]) * grams / 100 for f, grams in r['foods'] if f['values'][value])
        weight = sum(grams for _, grams in r['foods'])
        body = (f'<h2>{esc(r["name"])}</h2>\n<p class="sub">类别：{esc(r["class"])}　烹饪方法：{esc(r["method"])}'
                f'　总重量：{number_text(str(weight))} 克</p>\n<h3>食材</h3>\n')
        rows = [(f['name'], number_text(str(grams)) + ' 克',
                 ('%.1f' % (float(f['values'][2]) * grams / 100) + ' 千卡') if f['values'][2] else ' - ')
                for f, grams in r['foods']]
        body += table(['食物', '重量', '能量'], rows, numeric=(1, 2))
        body += '<p class="sub">油、盐、酱油、醋、糖等调味品用量少，没有计入。</p>\n'
        steps = [line for line in r['steps'] if line.strip()]
        body += '<h3>做法</h3>\n' + paragraphs(steps)
        body += '<h3>营养素含量合计（整份）</h3>\n'
        rows = [('能量', '%.1f 千卡（%.1f 千焦）' % (total(2), total(3)))]
        rows += [(name, '%.2f %s' % (total(value), unit)) for value, name, unit in RECIPE_TOTALS]
        half = (len(rows) + 1) // 2
        paired = [list(rows[i]) + (list(rows[i + half]) if i + half < len(rows) else ['', ''])
                  for i in range(half)]
        body += table(['营养素', '含量', '营养素', '含量'], paired, numeric=(1, 3))
        body += f'<p class="note">{SOURCE_NOTE}没有数据的成分按0计算。</p>\n'
        write_page(path, r['name'], body)

    # Teas

    def tea_pages(self):
        entries = []
        for heading, lines in sections(os.path.join(TEXTS, 'teas.txt')):
            code, name = heading.split(' ', 1)
            fields = {}
            rest = []
            for line in lines:
                key, _, value = line.partition('：')
                if key in ('类别', '原料', '做法') and value:
                    fields[key] = value
                else:
                    rest.append(line)
            body = (f'<h2>{esc(name)}</h2>\n<p class="sub">{esc(fields["类别"])}</p>\n'
                    f'<h3>原料</h3>\n<p>{esc(fields["原料"])}</p>\n'
                    f'<h3>做法</h3>\n<p>{esc(fields["做法"])}</p>\n')
            if rest:
                body += '<h3>提示</h3>\n' + paragraphs(rest)
            write_page(f'Cha/{code}.htm', name, body)
            entries.append((code, name))
        return entries


def list_name(name):
    """The name a list shows: the representative-value note of the food data left out."""
    return re.sub(r'（[^）]*代表值[^）]*）', '', name)


def main():
    site = Site()
    if os.path.isdir(SITE):
        shutil.rmtree(SITE)
    site.nutrient_pages()
    recipes = sys.argv[1] if len(sys.argv) > 1 else os.path.join(DATA, 'recipes.txt')
    lists = {1: site.food_pages(), 2: site.dual_use_pages(), 3: site.recipe_pages(recipes), 4: site.tea_pages()}
    with open(os.path.join(DATA, 'health-lists.txt'), 'w', encoding='utf-8', newline='\n') as f:
        for kind, entries in lists.items():
            for code, name in entries:
                f.write(f'{kind}\t{code}\t{name}\n')
    counts = ', '.join(f'kind {kind}: {len(entries)}' for kind, entries in lists.items())
    print(f'site written to {SITE}; {counts}')


if __name__ == '__main__':
    main()
