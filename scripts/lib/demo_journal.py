#!/usr/bin/env python3
# Writes the demo's change journal: a few days of changes to two switches,
# as the module records them (tables from src/journal/journal_schema.cpp).
#   scripts/lib/demo_journal.py <changes.sqlite>
import pathlib
import sqlite3
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from journal_schema import schema_statements  # noqa: E402

ROOT = pathlib.Path(__file__).resolve().parents[2]
CORE = ("192.0.2.10", 161, "QMX-7720-ZA", "core-sw1", "3", "admin")
LAB = ("192.0.2.23", 161, "QMX-7740-ZP", "lab-poe", "1", None)
PRIVATE = "1.3.6.1.4.1.32473.10.75"
PORT_SPEED = f"{PRIVATE}.7.1.13.1.2"
PORT_FLOW = f"{PRIVATE}.7.1.13.1.5"
VLAN = f"{PRIVATE}.7.7.6.1"
PVID = f"{PRIVATE}.7.7.7.1.1"
POE_STATE = f"{PRIVATE}.6.22.1.1.3"
SYSLOG = f"{PRIVATE}.7.16.1"

# time, switch, source, outcome, error status, error index,
# bindings: (OID, name, type, value, previous), as the module writes them.
REQUESTS = [
    ("2026-12-07T08:12:40.118Z", CORE, "Port Configuration", "answered", None, None,
     [(f"{PORT_SPEED}.7", "port speed/duplex (admin state)", "INTEGER", "7", "6"),
      (f"{PORT_FLOW}.7", "port flow control", "INTEGER", "2", "2")]),
    ("2026-12-07T08:14:02.530Z", CORE, "Port Configuration", "answered", None, None,
     [(f"{PORT_SPEED}.7", "port speed/duplex (admin state)", "INTEGER", "6", "7"),
      (f"{PORT_FLOW}.7", "port flow control", "INTEGER", "2", "2")]),
    ("2026-12-07T11:05:31.286Z", LAB, "Reboot", "no answer", None, None,
     [(f"{PRIVATE}.7.1.9.0", "reboot", "INTEGER", "1", None)]),
    ("2026-12-07T15:47:19.004Z", LAB, "PoE Configuration", "error", 3, 1,
     [(f"{POE_STATE}.4", "PoE port state", "INTEGER", "3", "1")]),
    ("2026-12-08T09:03:55.761Z", LAB, "Save Configuration", "sent", None, None,
     [(f"{PRIVATE}.7.1.10.0", "save configuration", "INTEGER", "1", None)]),
    ("2026-12-08T10:21:08.902Z", CORE, "Syslog Host Configuration", "answered", None, None,
     [(f"{SYSLOG}.1.0", "syslog server", "IpAddress", "192.0.2.50", "0.0.0.0"),
      (f"{SYSLOG}.2.0", "syslog UDP port", "INTEGER", "514", "514"),
      (f"{SYSLOG}.4.0", "syslog severity", "INTEGER", "4", "7"),
      (f"{SYSLOG}.5.0", "syslog facility", "INTEGER", "128", "128")]),
    ("2026-12-08T10:30:44.215Z", CORE, "Add VLAN", "answered", None, None,
     [(f"{VLAN}.5.30", "VLAN static row status", "INTEGER", "5", None)]),
    ("2026-12-08T10:30:44.341Z", CORE, "Add VLAN", "answered", None, None,
     [(f"{VLAN}.1.30", "VLAN name", "OCTET STRING", "cameras", None)]),
    ("2026-12-08T10:30:44.467Z", CORE, "Add VLAN", "answered", None, None,
     [(f"{VLAN}.2.30", "VLAN member ports", "OCTET STRING", "0x00300000", None)]),
    ("2026-12-08T10:30:44.590Z", CORE, "Add VLAN", "answered", None, None,
     [(f"{VLAN}.4.30", "VLAN untagged ports", "OCTET STRING", "0x00300000", None)]),
    ("2026-12-08T10:30:44.712Z", CORE, "Add VLAN", "answered", None, None,
     [(f"{VLAN}.5.30", "VLAN static row status", "INTEGER", "1", None)]),
    ("2026-12-08T10:31:02.377Z", CORE, "PVID Configuration", "answered", None, None,
     [(f"{PVID}.11", "port PVID", "Gauge32", "30", "1"),
      (f"{PVID}.12", "port PVID", "Gauge32", "30", "1")]),
]


def main():
    path = pathlib.Path(sys.argv[1])
    path.parent.mkdir(parents=True, exist_ok=True)
    path.unlink(missing_ok=True)
    db = sqlite3.connect(path)
    for statement in schema_statements(ROOT):
        db.execute(statement)
    for time, switch, source, outcome, status, index, bindings in REQUESTS:
        address, port, model, sys_name, version, user = switch
        cursor = db.execute(
            "INSERT INTO requests (time, address, port, model, sys_name, version, user_name, source, outcome,"
            " error_status, error_index, completed) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
            (time, address, port, model, sys_name, version, user, source, outcome, status, index,
             None if outcome == "sent" else time))
        for position, (oid, name, kind, value, previous) in enumerate(bindings):
            db.execute("INSERT INTO bindings VALUES (?, ?, ?, ?, ?, ?, ?)",
                       (cursor.lastrowid, position, oid, name, kind, value, previous))
    db.commit()


if __name__ == "__main__":
    main()
