# Sourced by Python scripts: the change journal's CREATE statements, read from
# the C++ source so that the demo journal never drifts from the module's.
import pathlib
import re

_LITERAL = re.compile(r'"((?:[^"\\]|\\.)*)"\s*(,?)')


def schema_statements(source_root):
    text = (pathlib.Path(source_root) / "src/journal/journal_schema.cpp").read_text()
    array = text[text.index("kSchema[] = {"):]
    array = array[:array.index("};")]
    statements, current = [], ""
    for match in _LITERAL.finditer(array):
        current += match.group(1)
        if match.group(2):  # a comma ends the statement
            statements.append(current)
            current = ""
    if current:
        statements.append(current)
    return statements
