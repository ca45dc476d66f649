#!/usr/bin/env python3
"""Reads the first sheet of the spreadsheet open in a running LibreOffice.

calccells.py PIPE ready          exits 0 once a spreadsheet is open
calccells.py PIPE quit           ends LibreOffice, discarding the sheet
calccells.py PIPE COLUMNS ROWS   prints "column row kind text" per cell, column
                                 by column: kind is number (text: the value
                                 as Python prints it), text, formula or empty
"""
import sys

import uno
from com.sun.star.connection import NoConnectException


def office(pipe):
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    try:
        context = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
    except NoConnectException:
        return None
    return context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)


def spreadsheet(desktop):
    components = desktop.getComponents().createEnumeration()
    while components.hasMoreElements():
        component = components.nextElement()
        if component.supportsService("com.sun.star.sheet.SpreadsheetDocument"):
            return component
    return None


def main():
    desktop = office(sys.argv[1])
    if desktop is None:
        return 1
    if sys.argv[2] == "quit":
        components = desktop.getComponents().createEnumeration()
        while components.hasMoreElements():
            components.nextElement().setModified(False)
        try:
            desktop.terminate()
        except Exception:  # the bridge goes with the office
            pass
        return 0
    document = spreadsheet(desktop)
    if document is None:
        return 1
    if sys.argv[2] == "ready":
        return 0
    sheet = document.Sheets.getByIndex(0)
    for column in range(int(sys.argv[2])):
        for row in range(int(sys.argv[3])):
            cell = sheet.getCellByPosition(column, row)
            kind = cell.getType().value
            if kind == "VALUE":
                print(column, row, "number", repr(cell.getValue()))
            else:
                print(column, row, kind.lower(), cell.getString() if kind != "FORMULA" else cell.getFormula())
    return 0


sys.exit(main())
