#!/usr/bin/env bash
# export_wine_test.sh EMULATOR... EXE: zorvel-export.exe under Wine turns a Single
# report, named by a wildcard as cmd passes it on, into CSV through --output,
# which replaces an older file whole; a device name as output and a folder as
# input are refused, saying so.
set -eu
exe=${*: -1}
emulator=("${@:1:$#-1}")
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder"
mkdir REPORTS
printf '******** RePort, Date:12/08/26 06:00\r\n\r\n\r\n==== Port:COM5\r\nOpen=1\r\nCD =0\r\nTxTotal=12345\r\n' >REPORTS/hall.txt
echo "an older export" >out.csv
"${emulator[@]}" "$exe" --format csv --output out.csv 'REPORTS\h*.txt'
expected=$(printf 'Port,Open,"CD ",TxTotal\r\nCOM5,1,0,12345\r\n')
actual=$(cat out.csv)
if [ "$actual" != "$expected" ]; then
  echo "FAIL: out.csv holds:"; od -c out.csv | head; exit 1
fi
if [ "$(ls)" != "$(printf 'REPORTS\nout.csv')" ]; then
  echo "FAIL: the folder holds: $(ls)"; exit 1
fi
if "${emulator[@]}" "$exe" --format csv --output com5.csv 'REPORTS\hall.txt' 2>error.txt ||
   ! grep -q "com5.csv: cannot be created or replaced: COM5 is a reserved device name on Windows" error.txt; then
  echo "FAIL: com5.csv as output:"; cat error.txt; exit 1
fi
if "${emulator[@]}" "$exe" REPORTS 2>error.txt || ! grep -q "REPORTS: is a folder" error.txt; then
  echo "FAIL: a folder as input:"; cat error.txt; exit 1
fi
echo "zorvel-export.exe wrote out.csv, refused com5.csv and named a folder"
