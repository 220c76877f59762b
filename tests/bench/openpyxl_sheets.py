#!/usr/bin/python3
"""Writes the Table and Candela sheets of a semicolon table (classic number
format) with openpyxl in write-only mode, for a side-by-side timing of the
whole process against lumtrel's workbook:

    hyperfine 'echo out.xlsx | lumtrel grid.ies' \\
              '/usr/bin/python3 openpyxl_sheets.py grid.csv out-py.xlsx'
"""
import sys

import openpyxl

rows = [line.split(";")[:-1] for line in open(sys.argv[1]) if line.strip()]
book = openpyxl.Workbook(write_only=True)
for title in ("Table", "Candela"):
    sheet = book.create_sheet(title)
    sheet.append(["A"] + [float(v) for v in rows[0][1:]])
    for row in rows[1:]:
        sheet.append([float(v) for v in row])
book.save(sys.argv[2])
