#!/usr/bin/env bash
# export_wine_test.sh EMULATOR... EXE: zorvel-export.exe under Wine turns a Single
# report into CSV through --output, which replaces an older file whole.
set -eu
exe=${*: -1}
emulator=("${@:1:$#-1}")
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder"
printf '******** RePort, Date:12/08/26 06:00\r\n\r\n\r\n==== Port:COM5\r\nOpen=1\r\nCD =0\r\nTxTotal=12345\r\n' >hall.txt
echo "an older export" >out.csv
"${emulator[@]}" "$exe" --format csv --output out.csv hall.txt
expected=$(printf 'Port,Open,"CD ",TxTotal\r\nCOM5,1,0,12345\r\n')
actual=$(cat out.csv)
if [ "$actual" != "$expected" ]; then
  echo "FAIL: out.csv holds:"; od -c out.csv | head; exit 1
fi
if [ "$(ls)" != "$(printf 'hall.txt\nout.csv')" ]; then
  echo "FAIL: the folder holds: $(ls)"; exit 1
fi
echo "zorvel-export.exe wrote out.csv"
