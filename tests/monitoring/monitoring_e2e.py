#!/usr/bin/env python3
"""The monitoring kit against a real Prometheus server.

  monitoring_e2e.py ZORVEL_EXE STANDIN_CTL_EXE POST_COMMAND_EXE EMULATOR...

Two boards: zorvel.exe on its simulated source and zorvel.exe on the stand-in
driver with 16 ports, each in a folder of its own with its own Board, each
writing its metrics textfile into a folder of its own. A node exporter serves
each textfile folder and a Prometheus server scrapes both every second with the
rules loaded. Once both boards are in, every expression of every dashboard panel
must return a series; after one monitor exits, its zorvel_up must read 0 and
its ports' transmit totals must equal those it saved in calcs.dat.

Everything listens on 127.0.0.1 and is stopped at the end; every wait is
bounded. Exit code 77 means skipped (the tools are not installed).
"""
import json
import os
import re
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import time
import urllib.parse
import urllib.request

SKIP = 77
HERE = os.path.dirname(os.path.abspath(__file__))
KIT = os.path.join(HERE, "..", "..", "monitoring")
RECORD_SIZE = 224
TX_TOTAL_OFFSET = 16
BOARDS = {"sim": ["-F"], "standin": []}


def fail(message):
    raise AssertionError(message)


def free_loopback_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_for(what, seconds, probe):
    """Polls probe() until it returns something true; fails naming `what`."""
    deadline = time.monotonic() + seconds
    last = None
    while time.monotonic() < deadline:
        try:
            result = probe()
            if result:
                return result
        except (OSError, ValueError) as error:
            last = error
        time.sleep(0.2)
    fail(f"waited {seconds} s for {what}" + (f" (last error: {last})" if last else ""))


def wine_path(path):
    return "Z:" + path.replace("/", "\\")


class Run:
    def __init__(self, zorvel, standin_ctl, post_command, emulator):
        self.zorvel, self.standin_ctl, self.post_command, self.emulator = zorvel, standin_ctl, post_command, emulator
        self.folder = tempfile.mkdtemp(prefix="zorvel_monitoring_")
        self.servers = []
        self.monitors = {}
        self.standin = False

    def path(self, *parts):
        return os.path.join(self.folder, *parts)

    def wine(self, *args, timeout=60):
        return subprocess.run([*self.emulator, *args], capture_output=True, timeout=timeout)

    def serve(self, name, command):
        log = open(self.path(name + ".log"), "wb")
        self.servers.append((name, subprocess.Popen(command, stdout=log, stderr=subprocess.STDOUT), log))

    def start_monitor(self, board, arguments):
        home = self.path(board)
        os.mkdir(home)
        with open(os.path.join(home, "zorvel.ini"), "wb") as f:
            f.write(("[program]\r\nUpdateTime=1\r\n[metrics]\r\nFile=%s\r\nBoard=%s\r\n"
                     % (wine_path(self.path(board + "-textfile", "zorvel.prom")), board)).encode())
        log = open(self.path(board + "-monitor.log"), "wb")
        self.monitors[board] = subprocess.Popen([*self.emulator, self.zorvel, *arguments], cwd=home, stdout=log,
                                                stderr=subprocess.STDOUT)

    def exit_one_monitor(self):
        """Sends Exit to a monitor's window and returns the board whose monitor ended."""
        running = {b: p for b, p in self.monitors.items() if p.poll() is None}
        answer = self.wine(self.post_command, "Zorvel", "TarnelPort Monitor", "107")
        if answer.returncode != 0:
            fail("post_command: " + answer.stderr.decode(errors="replace"))
        return wait_for("a monitor to exit", 60,
                        lambda: next((b for b, p in running.items() if p.poll() is not None), None))

    def stop(self):
        for board, monitor in self.monitors.items():
            if monitor.poll() is None:
                try:
                    self.exit_one_monitor()
                except AssertionError:
                    pass
        for monitor in self.monitors.values():
            if monitor.poll() is None:
                monitor.kill()
                monitor.wait()
        if self.standin:
            self.wine(self.standin_ctl, "remove")
        for _, server, log in self.servers:
            server.terminate()
            try:
                server.wait(timeout=10)
            except subprocess.TimeoutExpired:
                server.kill()
                server.wait()
            log.close()

    def logs(self):
        text = ""
        for name in sorted(os.listdir(self.folder)):
            if name.endswith(".log"):
                with open(self.path(name), errors="replace") as f:
                    text += f"--- {name}\n{f.read()[-3000:]}\n"
        return text


def query(port, expr):
    url = f"http://127.0.0.1:{port}/api/v1/query?" + urllib.parse.urlencode({"query": expr})
    with urllib.request.urlopen(url, timeout=10) as answer:
        reply = json.load(answer)
    if reply.get("status") != "success":
        fail(f"{expr}: {reply}")
    return reply["data"]["result"]


def dashboard_expressions():
    with open(os.path.join(KIT, "zorvel-dashboard.json")) as f:
        dashboard = json.load(f)
    # The variables as Grafana fills them with one board and "All" its ports chosen.
    values = {"$board": next(iter(BOARDS)), "$port": ".*", "$__rate_interval": "1m"}
    for panel in dashboard["panels"]:
        for target in panel.get("targets", []):
            expr = target["expr"]
            for name, value in values.items():
                expr = expr.replace(name, value)
            if "$" in expr:
                fail(f"panel {panel['title']!r}: a variable left in {expr}")
            yield panel["title"], expr


def tx_totals_saved(folder, textfile):
    """{port: TxTotal} from calcs.dat, ports named in the order the exit file lists them."""
    with open(textfile) as f:
        ports = re.findall(r'^zorvel_tx_bytes_total\{board="[^"]*",port="([^"]*)"\} ', f.read(), re.M)
    with open(os.path.join(folder, "calcs.dat"), "rb") as f:
        records = f.read()
    return {port: struct.unpack_from("<I", records, i * RECORD_SIZE + TX_TOTAL_OFFSET)[0]
            for i, port in enumerate(ports)}


def check(run):
    prometheus_port = free_loopback_port()
    targets = []
    for board in BOARDS:
        port = free_loopback_port()
        targets.append(f"127.0.0.1:{port}")
        os.mkdir(run.path(board + "-textfile"))
        run.serve(board + "-node-exporter",
                  ["prometheus-node-exporter", "--collector.disable-defaults", "--collector.textfile",
                   f"--collector.textfile.directory={run.path(board + '-textfile')}",
                   f"--web.listen-address=127.0.0.1:{port}"])
    shutil.copy(os.path.join(KIT, "zorvel-rules.yml"), run.path("zorvel-rules.yml"))
    with open(run.path("prometheus.yml"), "w") as f:
        f.write("global:\n  scrape_interval: 1s\n  evaluation_interval: 1s\n"
                "rule_files:\n  - zorvel-rules.yml\n"
                "scrape_configs:\n  - job_name: windows\n    static_configs:\n"
                f"      - targets: {json.dumps(targets)}\n")
    run.serve("prometheus", ["prometheus", f"--config.file={run.path('prometheus.yml')}",
                             f"--storage.tsdb.path={run.path('data')}",
                             f"--web.listen-address=127.0.0.1:{prometheus_port}"])

    installed = run.wine(run.standin_ctl, "install", "--ports", "16")
    if installed.returncode != 0:
        fail("standin_ctl install: " + (installed.stdout + installed.stderr).decode(errors="replace"))
    run.standin = True
    for board, arguments in BOARDS.items():
        run.start_monitor(board, arguments)

    def ready():
        with urllib.request.urlopen(f"http://127.0.0.1:{prometheus_port}/-/ready", timeout=5) as answer:
            return answer.status == 200
    wait_for("Prometheus to be ready", 60, ready)
    boards = lambda: {s["metric"].get("board") for s in query(prometheus_port, "zorvel_up == 1")}
    wait_for("both boards' zorvel_up in Prometheus", 90, lambda: boards() == set(BOARDS))
    ports = {s["metric"]["board"]: int(s["value"][1]) for s in query(prometheus_port, "zorvel_ports")}
    if ports.get("standin") != 16:
        fail(f"zorvel_ports reads {ports}, the stand-in lists 16")

    for board in BOARDS:
        lint = subprocess.run(["promtool", "check", "metrics"], stdin=open(run.path(board + "-textfile", "zorvel.prom"),
                                                                             "rb"), capture_output=True, timeout=60)
        if lint.returncode != 0 or lint.stdout or lint.stderr:
            fail(f"promtool check metrics on {board}'s file: " + (lint.stdout + lint.stderr).decode())

    with urllib.request.urlopen(f"http://127.0.0.1:{prometheus_port}/api/v1/rules", timeout=10) as answer:
        rules = [r["name"] for g in json.load(answer)["data"]["groups"] for r in g["rules"]]
    with open(os.path.join(KIT, "zorvel-rules.yml"), encoding="utf-8") as kit:
        written = re.findall(r"^\s*- (?:alert|record): (\S+)", kit.read(), re.M)
    if sorted(rules) != sorted(written):
        fail(f"Prometheus loaded the rules {rules}, the file holds {written}")

    expressions = list(dashboard_expressions())
    for title, expr in expressions:
        wait_for(f"panel {title!r}'s {expr} to return a series", 60, lambda: query(prometheus_port, expr))

    board = run.exit_one_monitor()
    other = next(b for b in BOARDS if b != board)
    wait_for(f"zorvel_up{{board={board!r}}} to read 0", 60,
             lambda: [s for s in query(prometheus_port, f'zorvel_up{{board="{board}"}} == 0')])
    if [s["value"][1] for s in query(prometheus_port, f'zorvel_up{{board="{other}"}}')] != ["1"]:
        fail(f"zorvel_up of {other}, still running, is no longer 1")
    saved = tx_totals_saved(run.path(board), run.path(board + "-textfile", "zorvel.prom"))
    port, total = max(saved.items(), key=lambda item: item[1])
    scraped = query(prometheus_port, f'zorvel_tx_bytes_total{{board="{board}",port="{port}"}}')
    if [s["value"][1] for s in scraped] != [str(total)]:
        fail(f"{board} {port}: Prometheus holds {scraped}, calcs.dat {total}")
    print(f"{len(expressions)} panel expressions answered; {board} exited with {port}'s transmit total "
          f"{total} in Prometheus and calcs.dat; {other} still up")


def main():
    missing = [t for t in ("prometheus", "promtool", "prometheus-node-exporter") if shutil.which(t) is None]
    if missing:
        print("SKIP: not installed: " + ", ".join(missing) + " (scripts/setup.sh installs them)")
        return SKIP
    run = Run(*sys.argv[1:4], sys.argv[4:])
    try:
        check(run)
        return 0
    except AssertionError as error:
        print("FAIL: " + str(error))
        print(run.logs())
        return 1
    finally:
        run.stop()
        shutil.rmtree(run.folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
