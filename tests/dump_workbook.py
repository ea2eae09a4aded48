#!/usr/bin/python3
"""Prints what a spreadsheet reader finds in an .xlsx workbook, as JSON.

tst_workbook writes workbooks with the program's own code and asserts on this
dump, so that the file is judged by an independent reader (openpyxl) rather
than by the code that wrote it.
"""

import json
import math
import sys

import openpyxl

# Widths are stored in units of the default face's digit plus 5 pixels of
# padding; spreadsheet programs show them without the padding. Calibri 11,
# the face of the default style, has a 7-pixel digit.
DIGIT_PIXELS = 7
PADDING_PIXELS = 5


def shown_width(stored):
    if stored is None:
        return None
    pixels = math.trunc(stored * DIGIT_PIXELS + 0.5)
    return round((pixels - PADDING_PIXELS) / DIGIT_PIXELS, 2)


def style(item):
    return {
        "format": item.number_format,
        "horizontal": item.alignment.horizontal,
        "vertical": item.alignment.vertical,
        "fontName": item.font.name,
        "fontSize": item.font.sz,
    }


def dump_sheet(sheet):
    columns = {}
    for dimension in sheet.column_dimensions.values():
        # One <col> element may cover several columns.
        for index in range(dimension.min, dimension.max + 1):
            entry = style(dimension)
            entry["width"] = shown_width(dimension.width if dimension.customWidth else None)
            columns[index] = entry
    last_column = max([sheet.max_column, *columns])
    rows = {index: dimension.height for index, dimension in sheet.row_dimensions.items()}
    cells = []
    for row in sheet.iter_rows(min_row=1, max_row=sheet.max_row, max_col=last_column):
        cells.append([
            dict(style(cell), value=cell.value, type=cell.data_type) for cell in row
        ])
    return {
        "name": sheet.title,
        "merged": sorted(str(cells_range) for cells_range in sheet.merged_cells.ranges),
        "columns": [columns.get(index) for index in range(1, last_column + 1)],
        "rowHeights": [rows.get(index) for index in range(1, sheet.max_row + 1)],
        "cells": cells,
    }


def main():
    workbook = openpyxl.load_workbook(sys.argv[1])
    json.dump({"sheets": [dump_sheet(sheet) for sheet in workbook.worksheets]}, sys.stdout,
              ensure_ascii=False)


if __name__ == "__main__":
    main()
