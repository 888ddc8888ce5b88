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
PORT_ADMIN = "1.3.6.1.2.1.2.2.1.7"
VLAN = "1.3.6.1.2.1.17.7.1.4.3.1"
PVID = "1.3.6.1.2.1.17.7.1.4.5.1.1"

# time, switch, source, outcome, error status, error index,
# bindings: (OID, name, type, value, previous)
REQUESTS = [
    ("2026-12-07T08:12:40.118Z", CORE, "Port Configuration", "answered", None, None,
     [(f"{PORT_ADMIN}.7", "ifAdminStatus.7", "INTEGER", "2", "1")]),
    ("2026-12-07T08:14:02.530Z", CORE, "Port Configuration", "answered", None, None,
     [(f"{PORT_ADMIN}.7", "ifAdminStatus.7", "INTEGER", "1", "2")]),
    ("2026-12-07T11:05:31.286Z", LAB, "Reboot", "no answer", None, None,
     [("1.3.6.1.4.1.32473.10.75.7.1.9.0", "reboot.0", "INTEGER", "1", None)]),
    ("2026-12-07T15:47:19.004Z", LAB, "PoE Port Config", "error", 3, 1,
     [("1.3.6.1.2.1.105.1.1.1.3.1.4", "pethPsePortAdminEnable.1.4", "INTEGER", "2", "1")]),
    ("2026-12-08T09:03:55.761Z", LAB, "Save Configuration", "sent", None, None,
     [("1.3.6.1.4.1.32473.10.75.7.1.10.0", "saveConfiguration.0", "INTEGER", "1", None)]),
    ("2026-12-08T10:21:08.902Z", CORE, "Syslog Host Configuration", "answered", None, None,
     [("1.3.6.1.4.1.32473.10.75.7.9.2.1.2.1", "syslogHostAddress.1", "IpAddress", "192.0.2.50", "0.0.0.0"),
      ("1.3.6.1.4.1.32473.10.75.7.9.2.1.3.1", "syslogHostPort.1", "INTEGER", "514", "514")]),
    ("2026-12-08T10:30:44.215Z", CORE, "VLAN Configuration", "answered", None, None,
     [(f"{VLAN}.1.30", "dot1qVlanStaticName.30", "OCTET STRING", "cameras", None),
      (f"{VLAN}.2.30", "dot1qVlanStaticEgressPorts.30", "OCTET STRING", "0x00300000", None),
      (f"{VLAN}.4.30", "dot1qVlanStaticUntaggedPorts.30", "OCTET STRING", "0x00300000", None),
      (f"{VLAN}.5.30", "dot1qVlanStaticRowStatus.30", "INTEGER", "4", None)]),
    ("2026-12-08T10:31:02.377Z", CORE, "VLAN Configuration", "answered", None, None,
     [(f"{PVID}.11", "dot1qPvid.11", "Gauge32", "30", "1"),
      (f"{PVID}.12", "dot1qPvid.12", "Gauge32", "30", "1")]),
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
