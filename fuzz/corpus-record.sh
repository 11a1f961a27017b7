#!/usr/bin/env bash
# Makes the starting corpus of record_fuzz in fuzz/corpus/record/: small study
# records (512-byte pages) in the program's format, with the sqlite3 shell.
set -euo pipefail
cd "$(dirname "$0")/corpus/record"
rm -f ./*.korvell
make() { # NAME SQL...
    sqlite3 "$1" "PRAGMA page_size=512; PRAGMA application_id=1266053740; PRAGMA user_version=1;
        CREATE TABLE answer(que TEXT NOT NULL, fp TEXT NOT NULL, time INTEGER NOT NULL,
            mode TEXT NOT NULL, letter TEXT NOT NULL, correct INTEGER NOT NULL);
        CREATE TABLE test(time INTEGER NOT NULL, questions TEXT NOT NULL, picks TEXT NOT NULL,
            score INTEGER NOT NULL);
        CREATE TABLE mark(que TEXT PRIMARY KEY, fp TEXT NOT NULL); $2"
}
make empty.korvell ""
make few.korvell "INSERT INTO answer VALUES('T1A01', '0e3f8c21', 1796601600000, 'study', 'B', 0),
    ('T5A01', 'ffffffff', 1796601601000, 'test', '', 0);
    INSERT INTO test VALUES(1796601602000, 'T1A01 T5A01', 'A -', 1);
    INSERT INTO mark VALUES('T1A01', '0e3f8c21');"
rows=$(for i in $(seq 1 60); do printf "('T%dA%02d', '%08x', %d, 'study', 'A', %d)," \
    $((i % 10)) $((i % 20)) $((i * 7919)) $((1796601600000 + i)) $((i % 2)); done)
make many.korvell "INSERT INTO answer VALUES ${rows%,};"
ls -l
