#!/usr/bin/env python3
"""zorvel-export against the real consumers of its output.

  export_e2e.py prometheus EXPORT WRITER   promtool's lint, then node-exporter's
                                           textfile collector scraped once
  export_e2e.py csv EXPORT WRITER          Python's csv module reads the export

WRITER is write_sample_reports: the monitor's report writer and history on
simulated traffic.
Exit code 77 means skipped (the tools are not installed).
"""
import csv
import io
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import urllib.request

SKIP = 77


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def export(binary, *args, expect=0):
    run = subprocess.run([binary, *args], capture_output=True, timeout=60)
    if run.returncode != expect:
        fail(f"zorvel-export {' '.join(args)} gave {run.returncode}: {run.stderr.decode(errors='replace')}")
    return run.stdout


def single_report(path):
    """{port: {statistic: text}} of a Single report, read the plain way."""
    ports = {}
    with open(path, "rb") as f:
        lines = f.read().decode("latin-1").split("\r\n")
    current = None
    for line in lines[1:]:
        if line.startswith("==== Port:"):
            current = ports.setdefault(line[len("==== Port:"):], {})
        elif "=" in line:
            name, value = line.split("=", 1)
            current[name] = value
    return ports


def samples(text):
    """{(family, port): value} and {family: statistic name from its HELP}."""
    values, names = {}, {}
    for line in text.splitlines():
        help_line = re.match(r"# HELP (zorvel_\w+) (.*?):", line)
        if help_line:
            names[help_line.group(1)] = help_line.group(2)
            continue
        sample = re.match(r'(zorvel_\w+)\{(.*)\} (\S+)$', line)
        if sample:
            labels = dict(re.findall(r'(\w+)="((?:[^"\\]|\\.)*)"', sample.group(2)))
            if labels.get("board") != "hall":
                fail(f"sample without the board label: {line}")
            values[(sample.group(1), labels["port"])] = float(sample.group(3))
    return values, names


def free_loopback_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def scrape_node_exporter(textfile_dir, log_path):
    port = free_loopback_port()
    with open(log_path, "wb") as log:
        exporter = subprocess.Popen(
            ["prometheus-node-exporter", "--collector.disable-defaults", "--collector.textfile",
             f"--collector.textfile.directory={textfile_dir}", f"--web.listen-address=127.0.0.1:{port}"],
            stdout=log, stderr=subprocess.STDOUT)
    try:
        deadline = time.monotonic() + 15
        while True:
            if exporter.poll() is not None:
                fail(f"node-exporter ended with {exporter.returncode}: " + open(log_path).read())
            try:
                socket.create_connection(("127.0.0.1", port), timeout=1).close()
                break
            except OSError:
                if time.monotonic() > deadline:
                    fail("node-exporter did not listen within 15 s")
                time.sleep(0.1)
        with urllib.request.urlopen(f"http://127.0.0.1:{port}/metrics", timeout=10) as answer:
            return answer.read().decode()
    finally:
        exporter.terminate()
        try:
            exporter.wait(timeout=5)
        except subprocess.TimeoutExpired:
            exporter.kill()
            exporter.wait()


def check_prometheus(binary, folder):
    missing = [tool for tool in ("promtool", "prometheus-node-exporter") if shutil.which(tool) is None]
    if missing:
        print("SKIP: not installed: " + ", ".join(missing) + " (scripts/setup.sh installs them)")
        sys.exit(SKIP)
    reports = os.path.join(folder, "REPORTS")
    per_port = sorted(os.path.join(reports, n) for n in os.listdir(reports) if n != "hall.txt")
    for inputs in ([os.path.join(reports, "hall.txt")], per_port, [os.path.join(folder, "calcs.dat")]):
        text = export(binary, "--format", "prometheus", "--board", "hall", *inputs)
        lint = subprocess.run(["promtool", "check", "metrics"], input=text, capture_output=True, timeout=60)
        if lint.returncode != 0 or lint.stdout or lint.stderr:
            fail(f"promtool check metrics on the export of {inputs[0]}...: "
                 + (lint.stdout + lint.stderr).decode())

    textfile_dir = os.path.join(folder, "textfile")
    os.mkdir(textfile_dir)
    prom = os.path.join(textfile_dir, "zorvel.prom")
    export(binary, "--format", "prometheus", "--board", "hall", "--output", prom, os.path.join(reports, "hall.txt"))
    if os.listdir(textfile_dir) != ["zorvel.prom"]:
        fail(f"the textfile folder holds {os.listdir(textfile_dir)}")
    with open(prom, "rb") as f:
        if not f.read().endswith(b"\n"):
            fail("zorvel.prom does not end with a line feed")

    scraped = scrape_node_exporter(textfile_dir, os.path.join(folder, "node-exporter.log"))
    if not re.search(r"^node_textfile_scrape_error 0$", scraped, re.M):
        fail("node-exporter could not read zorvel.prom:\n" + scraped)
    values, names = samples(scraped)
    report = single_report(os.path.join(reports, "hall.txt"))
    family_of = {name: family for family, name in names.items()}
    for port, statistics in report.items():
        for name, text in statistics.items():
            family = family_of.get(name)
            if family is None:
                fail(f"no zorvel_ family's help names {name!r}")
            if values.get((family, port)) != float(text):
                fail(f"{family}{{port={port!r}}}: scraped {values.get((family, port))}, report says {text}")
    print(f"{len(values)} samples of {len(names)} families over {len(report)} ports match the report")


def check_csv(binary, folder):
    reports = os.path.join(folder, "REPORTS")
    report = single_report(os.path.join(reports, "hall.txt"))
    rows = list(csv.reader(io.StringIO(export(binary, "--format", "csv", os.path.join(reports, "hall.txt"))
                                       .decode(), newline="")))
    first = next(iter(report.values()))
    if rows[0] != ["Port"] + list(first):
        fail(f"header {rows[0]}")
    if "CD " not in rows[0]:
        fail("the statistic 'CD ' lost its blank")
    if [row[0] for row in rows[1:]] != list(report):
        fail(f"ports {[row[0] for row in rows[1:]]}")
    for row in rows[1:]:
        if dict(zip(rows[0][1:], row[1:])) != report[row[0]]:
            fail(f"values of {row[0]} differ from the report")

    per_port = sorted(os.path.join(reports, n) for n in os.listdir(reports) if n.startswith("hCOM"))
    timed = list(csv.reader(io.StringIO(export(binary, "--format", "csv", "--all-lines", *per_port).decode(),
                                        newline="")))
    if timed[0][:2] != ["Port", "Time"] or len(timed) != 1 + 2 * len(per_port):
        fail(f"--all-lines gave {len(timed) - 1} rows under {timed[0][:3]} for {len(per_port)} files")
    if any(row[1] != "12/08/26 06:00" for row in timed[1:]):
        fail("a row without its report's time")

    history = list(csv.reader(io.StringIO(export(binary, "--format", "csv", os.path.join(folder, "history.dat"))
                                          .decode(), newline="")))
    if (history[0] != ["Port", "Bucket", "StartUTC", "StartLocal", "Tx", "Rx", "Errors", "Carrier"]
            or {row[1] for row in history[1:]} != {"minute", "hour"} or {len(row) for row in history} != {8}):
        fail(f"history.dat gave {history[:3]}")
    print(f"{len(rows) - 1} ports, {len(timed) - 1} timed rows and {len(history) - 1} history buckets read back")


def main():
    mode, binary, writer = sys.argv[1:4]
    folder = tempfile.mkdtemp(prefix="zorvel_export_")
    try:
        subprocess.run([writer, folder], check=True, timeout=60)
        {"prometheus": check_prometheus, "csv": check_csv}[mode](binary, folder)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
