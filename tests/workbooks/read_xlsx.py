"""Prints what openpyxl reads of a saved workbook, one fact per line, for the chart tests.

Usage: read_xlsx.py BOOK.xlsx [FACTS]. With FACTS the facts, or the error that stopped the
reading, go to that file instead, which appears only once complete (a test program under Wine
cannot read this process's output and waits for the file).
"""
import contextlib
import io
import os
import sys
import traceback

import openpyxl


def text_of(title):
    if title is None or title.tx is None or title.tx.rich is None:
        return None
    return "".join(run.t for p in title.tx.rich.p for run in (p.r or []))


def ref_of(source):
    if source is None:
        return None
    ref = source.numRef or getattr(source, "strRef", None)
    return ref.f if ref is not None else None


def print_facts(path):
    book = openpyxl.load_workbook(path)
    for sheet in book._sheets:
        kind = "chartsheet" if sheet.__class__.__name__ == "Chartsheet" else "worksheet"
        print("sheet", sheet.title, sheet.sheet_state, kind)
        if kind == "worksheet":
            print("gridlines", sheet.sheet_view.showGridLines)
            for row in sheet.iter_rows():
                for cell in row:
                    if cell.value is not None:
                        print(cell.coordinate, cell.value)
                    if cell.number_format != "General" and cell.value is not None:
                        print(cell.coordinate, "format", cell.number_format)
                    if cell.font is not None and cell.font.b and cell.value is not None:
                        print(cell.coordinate, "bold", True)
        for chart in getattr(sheet, "_charts", []):
            print("chart", chart.tagname)
            print("title", text_of(chart.title))
            print("y axis title", text_of(chart.y_axis.title))
            print("x axis title", text_of(chart.x_axis.title))
            if chart.y_axis.numFmt is not None:
                print("y axis format", chart.y_axis.numFmt.formatCode)
            for series in chart.series:
                name = series.tx.strRef.f if series.tx is not None and series.tx.strRef is not None else None
                print("series name", name, "x", ref_of(series.xVal), "y", ref_of(series.yVal))
                line = series.spPr.ln if series.spPr is not None else None
                if line is not None and line.solidFill is not None and line.solidFill.srgbClr is not None:
                    print("series line", name, line.solidFill.srgbClr)


if len(sys.argv) == 2:
    print_facts(sys.argv[1])
else:
    facts = io.StringIO()
    try:
        with contextlib.redirect_stdout(facts):
            print_facts(sys.argv[1])
    except Exception:
        facts.write(traceback.format_exc())
    with open(sys.argv[2] + ".part", "w", encoding="utf-8") as out:
        out.write(facts.getvalue())
    os.replace(sys.argv[2] + ".part", sys.argv[2])
