#!/usr/bin/env python3
"""pass_persist back end: one read-only column of ROWS rows under BASE.1.1.2."""
import sys

BASE = (1, 3, 6, 1, 4, 1, 32473, 99)
COLUMN = BASE + (1, 1, 2)
ROWS = int(sys.argv[1]) if len(sys.argv) > 1 else 5000


def parse(text):
    try:
        return tuple(int(arc) for arc in text.strip().strip('.').split('.') if arc)
    except ValueError:
        return None


def row_after(oid):
    if oid < COLUMN:
        return 1
    if oid[:len(COLUMN)] != COLUMN:
        return None
    index = oid[len(COLUMN):]
    if not index:
        return 1
    return index[0] + 1 if index[0] < ROWS else None


def answer(row):
    if row is None:
        return 'NONE\n'
    return '.%s.%d\nstring\nrow-%05d\n' % ('.'.join(map(str, COLUMN)), row, row)


def main():
    out = sys.stdout
    for line in sys.stdin:
        command = line.strip()
        if command == 'PING':
            out.write('PONG\n')
        elif command in ('get', 'getnext'):
            oid = parse(sys.stdin.readline())
            if oid is None:
                out.write('NONE\n')
            elif command == 'get':
                index = oid[len(COLUMN):]
                exact = oid[:len(COLUMN)] == COLUMN and len(index) == 1 and 1 <= index[0] <= ROWS
                out.write(answer(index[0]) if exact else 'NONE\n')
            else:
                out.write(answer(row_after(oid)))
        elif command == 'set':
            sys.stdin.readline()
            sys.stdin.readline()
            out.write('not-writable\n')
        elif not command:
            break
        out.flush()


if __name__ == '__main__':
    main()
