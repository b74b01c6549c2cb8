#!/usr/bin/env python3
"""The monitoring kit against a fleet of synthetic boards.

  fleet_check.py FLEET_BOARDS_EXE BOARDS [all|counters]

fleet_boards writes an hour and more of every board's minute files, which
promtool backfills, then keeps each board's file current. Each board is a
scrape target of its own on loopback; a Prometheus server scrapes them at
the kit's interval with the kit's rules, and the recording rules are
backfilled over the same hour. Once every rule group has run on that hour,
this prints the series, the server's memory and CPU, each rule group's
evaluation time, and the time of every dashboard query over one hour, with
the goals.
"""
import collections
import http.server
import json
import os
import re
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
import urllib.request
from concurrent.futures import ThreadPoolExecutor

KIT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "monitoring")
HISTORY_MINUTES = 70
RANGE = 3600
# Grafana's step for an hour on a panel some 1,000 pixels wide, before the
# panel's minimum interval; its default scrape interval when a panel has none.
MAX_DATA_POINTS = 1000
DEFAULT_INTERVAL = 15
RUNS = 3
QUERY_GOAL = 1.0
DASHBOARD_GOAL = 2.0
RULE_GROUP_GOAL = 0.3
WAIT_LIMIT = 900


def free_loopback_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def seconds(text):
    units = {"s": 1, "m": 60, "h": 3600}
    return int(text[:-1]) * units[text[-1]]


def kit_intervals():
    with open(os.path.join(KIT, "prometheus.yml")) as f:
        text = f.read()
    return [re.search(rf"^\s*{key}:\s*(\S+)", text, re.M).group(1)
            for key in ("scrape_interval", "evaluation_interval")]


def serve(path):
    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            with open(path, "rb") as f:
                body = f.read()
            self.send_response(200)
            self.send_header("Content-Type", "text/plain; version=0.0.4")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class Prometheus:
    def __init__(self, port):
        self.base = f"http://127.0.0.1:{port}"

    def call(self, path, params):
        started = time.monotonic()
        with urllib.request.urlopen(f"{self.base}{path}?{urllib.parse.urlencode(params)}", timeout=120) as answer:
            body = answer.read()
        took = time.monotonic() - started
        reply = json.loads(body)
        if reply.get("status") != "success":
            raise RuntimeError(f"{path} {params}: {reply}")
        return took, len(body), reply["data"]

    def get(self, path):
        with urllib.request.urlopen(self.base + path, timeout=30) as answer:
            return answer.read().decode()

    def own_metric(self, name):
        values = re.findall(rf"^{name}(?:{{[^}}]*}})? (\S+)$", self.get("/metrics"), re.M)
        return sum(float(v) for v in values)


def wait_for(what, limit, probe, every=2):
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        try:
            result = probe()
            if result:
                return result
        except OSError:
            pass
        time.sleep(every)
    raise RuntimeError(f"waited {limit} s for {what}")


def backfill(command, output, data, prometheus, probe):
    """Runs a promtool backfill that writes into `output`, moves its blocks
    into the server's folder and waits until `probe` finds their samples."""
    done = subprocess.run(command, capture_output=True, text=True)
    if done.returncode != 0:
        raise RuntimeError(f"{' '.join(command[:4])}: {done.stderr[-2000:]}")
    for block in os.listdir(output):
        os.rename(os.path.join(output, block), os.path.join(data, block))
    # The server looks for new blocks once a minute.
    wait_for(f"the backfilled blocks to answer {probe}", 180,
             lambda: prometheus.call("/api/v1/query", {"query": probe})[2]["result"])


def overlapping_blocks(data):
    """True while blocks of the folder overlap in time: the server then merges
    them, which should not fall into the measurement."""
    spans = []
    for block in os.listdir(data):
        meta = os.path.join(data, block, "meta.json")
        if os.path.exists(meta) and "." not in block:
            with open(meta) as f:
                m = json.load(f)
            spans.append((m["minTime"], m["maxTime"]))
    spans.sort()
    return any(later[0] < earlier[1] for earlier, later in zip(spans, spans[1:]))


def recording_rules(prometheus, path):
    """The loaded rules' recording rules alone, for the rules backfill, which
    would also write the alerts' expressions as series; and the first one's name."""
    rules = [{"record": r["name"], "expr": r["query"]}
             for g in json.loads(prometheus.get("/api/v1/rules"))["data"]["groups"]
             for r in g["rules"] if r["type"] == "recording"]
    with open(path, "w") as f:
        json.dump({"groups": [{"name": "recorded", "rules": rules}]}, f)
    return path, rules[0]["record"]


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def resident_bytes(pid):
    with open(f"/proc/{pid}/status") as f:
        return int(re.search(r"^VmRSS:\s+(\d+) kB", f.read(), re.M).group(1)) * 1024


def dashboard_queries(board):
    """(row, panel, kind, path, params) for every panel target, as Grafana asks
    for them over the last hour with `board` and all its ports chosen."""
    with open(os.path.join(KIT, "zorvel-dashboard.json")) as f:
        dashboard = json.load(f)
    end = int(time.time())
    row = ""
    for panel in dashboard["panels"]:
        if panel["type"] == "row":
            row = "overview" if "$board" not in panel["title"] else "one board"
            continue
        interval = seconds(panel["interval"]) if "interval" in panel else DEFAULT_INTERVAL
        step = max(-(-RANGE // MAX_DATA_POINTS), interval)
        values = {"$board": board, "$port": ".*", "$__rate_interval": f"{max(step + interval, 4 * interval)}s",
                  "$__interval": f"{step}s", "$__range": f"{RANGE}s"}
        for target in panel["targets"]:
            expr = target["expr"]
            for name, value in values.items():
                expr = expr.replace(name, value)
            if target.get("instant"):
                yield row, panel["title"], "instant", "/api/v1/query", {"query": expr, "time": end}
            else:
                yield row, panel["title"], "range", "/api/v1/query_range", {
                    "query": expr, "start": (end - RANGE) // step * step, "end": end // step * step, "step": step}


def variable_queries(board):
    end = int(time.time())
    return [("/api/v1/label/board/values", {"match[]": "zorvel_up", "start": end - RANGE, "end": end}),
            ("/api/v1/label/port/values", {"match[]": f'zorvel_open{{board="{board}"}}', "start": end - RANGE,
                                           "end": end})]


def load_dashboard(prometheus, queries, board):
    """Grafana's order: the variables one after the other, then every panel at once."""
    started = time.monotonic()
    for path, params in variable_queries(board):
        prometheus.call(path, params)
    with ThreadPoolExecutor(max_workers=len(queries)) as pool:
        list(pool.map(lambda q: prometheus.call(q[3], q[4]), queries))
    return time.monotonic() - started


def verdict(value, goal):
    return f"goal at most {goal:g} s: {'met' if value <= goal else 'MISSED'}"


def measure(run, boards, families, exe):
    scrape_interval, evaluation_interval = kit_intervals()
    textfiles = os.path.join(run, "textfiles")
    data = os.path.join(run, "data")
    os.mkdir(textfiles)
    os.mkdir(data)
    history = os.path.join(run, "history.om")
    log = open(os.path.join(run, "prometheus.log"), "wb")
    print(f"fleet-check: {boards} boards of 128 ports, Families={families}, {HISTORY_MINUTES} minutes of history; "
          f"scrapes every {scrape_interval}, rules every {evaluation_interval}")
    fleet = subprocess.Popen([exe, str(boards), families, str(HISTORY_MINUTES), history, textfiles],
                             stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    processes = [fleet]
    endpoints = []
    try:
        ready = fleet.stdout.readline().split()
        if not ready or ready[0] != "ready":
            raise RuntimeError("fleet_boards did not write its boards")
        start, end, series, counters_series = map(int, ready[1:])
        targets = []
        for name in sorted(os.listdir(textfiles)):
            if name.endswith(".prom"):
                endpoints.append(serve(os.path.join(textfiles, name)))
                board = name[:-5]
                targets.append({"targets": [f"127.0.0.1:{endpoints[-1].server_address[1]}"],
                                "labels": {"instance": f"{board}:9182"}})
        rules = os.path.join(run, "zorvel-rules.yml")
        shutil.copy(os.path.join(KIT, "zorvel-rules.yml"), rules)
        config = os.path.join(run, "prometheus.yml")
        with open(config, "w") as f:
            f.write(f"global:\n  scrape_interval: {scrape_interval}\n  evaluation_interval: {evaluation_interval}\n"
                    "rule_files:\n  - zorvel-rules.yml\n"
                    "scrape_configs:\n  - job_name: windows\n"
                    f"    static_configs: {json.dumps(targets)}\n")
        port = free_loopback_port()
        server = subprocess.Popen(["prometheus", f"--config.file={config}", f"--storage.tsdb.path={data}",
                                   f"--web.listen-address=127.0.0.1:{port}"], stdout=log, stderr=subprocess.STDOUT)
        processes.append(server)
        prometheus = Prometheus(port)
        wait_for("Prometheus to be ready", 120, lambda: "Ready" in prometheus.get("/-/ready"))

        began = time.monotonic()
        blocks = os.path.join(run, "history")
        backfill(["promtool", "tsdb", "create-blocks-from", "openmetrics", history, blocks], blocks, data, prometheus,
                 f"zorvel_up @ {start + 120}")
        os.remove(history)
        # The recorded rates of the same hour, from the server's own answers.
        blocks = os.path.join(run, "recorded")
        recorded, first = recording_rules(prometheus, os.path.join(run, "recorded.yml"))
        backfill(["promtool", "tsdb", "create-blocks-from", "rules", f"--start={start + 300}", f"--end={end}",
                  f"--url={prometheus.base}", f"--output-dir={blocks}", f"--eval-interval={evaluation_interval}",
                  recorded], blocks, data, prometheus, f"{first} @ {start + 600}")
        wait_for("the server to merge the backfilled blocks", 600, lambda: not overlapping_blocks(data), every=10)
        print(f"history backfilled in {time.monotonic() - began:.0f} s")

        # Each group's evaluations since the whole hour is there: those it had
        # not made yet when the recorded blocks were loaded.
        groups = lambda: json.loads(prometheus.get("/api/v1/rules"))["data"]["groups"]
        before = {g["name"]: g["lastEvaluation"] for g in groups()}
        seen = {name: {} for name in before}
        cpu_from, wall_from = cpu_seconds(server.pid), time.monotonic()

        def every_group_twice():
            for group in groups():
                if group["lastEvaluation"] != before[group["name"]]:
                    seen[group["name"]][group["lastEvaluation"]] = group["evaluationTime"]
            return all(len(times) >= 2 for times in seen.values())
        wait_for("every rule group to run twice on the hour", WAIT_LIMIT, every_group_twice, every=10)
        cpu = (cpu_seconds(server.pid) - cpu_from) / (time.monotonic() - wall_from)
        intervals = {g["name"]: g["interval"] for g in groups()}

        print(f"series in the files: {series:,} ({families}); with Families=counters {counters_series:,}")
        print(f"series in Prometheus's head: {prometheus.own_metric('prometheus_tsdb_head_series'):,.0f}")
        print(f"memory at rest (resident): {resident_bytes(server.pid) / 2**20:,.0f} MiB; "
              f"Go heap in use {prometheus.own_metric('go_memstats_heap_inuse_bytes') / 2**20:,.0f} MiB")
        scrapes = prometheus.call("/api/v1/query", {"query": 'scrape_duration_seconds{job="windows"}'})[2]["result"]
        print(f"CPU while scraping and evaluating: {cpu:.3f} of a core; a scrape takes "
              f"{statistics.median(float(s['value'][1]) for s in scrapes) * 1000:.0f} ms (median of "
              f"{len(scrapes)} targets)")
        last = {g["name"]: g["rules"] for g in groups()}
        for name, times in seen.items():
            typical = statistics.median(times.values())
            # The goal is for a group checked at every evaluation; a slower
            # group is there to spread rules too costly for that.
            goal = (verdict(typical, RULE_GROUP_GOAL) if intervals[name] <= seconds(evaluation_interval)
                    else "no goal a cycle (a slower group)")
            print(f"rule group {name}, every {intervals[name]:g} s: {typical:.3f} s a cycle (median of {len(times)}, "
                  f"most {max(times.values()):.3f} s; {typical * 60 / intervals[name]:.3f} s a minute), {goal}")
            print("  its last cycle: " + ", ".join(f"{r['name']} {r['evaluationTime']:.3f} s" for r in last[name]))
        a_minute = sum(statistics.median(t.values()) * 60 / intervals[name] for name, t in seen.items())
        print(f"all rule groups together: {a_minute:.3f} s a minute")
        # The rule manager's own state, what it sends to Alertmanager: a server
        # just started writes no ALERTS series until each group has restored.
        firing = collections.Counter(a["labels"]["alertname"]
                                     for a in json.loads(prometheus.get("/api/v1/alerts"))["data"]["alerts"]
                                     if a["state"] == "firing")
        print("alerts firing: " + ", ".join(f"{name} {count}" for name, count in sorted(firing.items())))

        board = targets[0]["labels"]["instance"].split(":")[0]
        queries = list(dashboard_queries(board))
        print(f"dashboard queries over one hour, {board} chosen for the board row (median of {RUNS}):")
        for row, title, kind, path, params in queries:
            runs = [prometheus.call(path, params) for _ in range(RUNS)]
            took = statistics.median(r[0] for r in runs)
            print(f"  {row:9} | {title:27} | {kind:7} | {took:6.3f} s | {runs[0][1] / 1024:9,.0f} KiB | "
                  f"{len(runs[0][2]['result']):5} series | {params['query']} | {verdict(took, QUERY_GOAL)}")
        loads = [load_dashboard(prometheus, queries, board) for _ in range(RUNS)]
        whole = statistics.median(loads)
        print(f"whole dashboard (variables, then every panel at once): {whole:.3f} s (median of {RUNS}, "
              f"most {max(loads):.3f} s), {verdict(whole, DASHBOARD_GOAL)}")
        print(f"memory after the queries (resident): {resident_bytes(server.pid) / 2**20:,.0f} MiB")
    finally:
        for endpoint in endpoints:
            endpoint.shutdown()
        fleet.stdin.close()
        for process in reversed(processes):
            process.terminate()
            try:
                process.wait(timeout=30)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        log.close()


def main():
    if len(sys.argv) not in (3, 4) or (len(sys.argv) == 4 and sys.argv[3] not in ("all", "counters")):
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    missing = [t for t in ("prometheus", "promtool") if shutil.which(t) is None]
    if missing:
        print("fleet-check: not installed: " + ", ".join(missing) + " (scripts/setup.sh installs them)")
        return 1
    run = tempfile.mkdtemp(prefix="zorvel_fleet_")
    try:
        measure(run, int(sys.argv[2]), sys.argv[3] if len(sys.argv) == 4 else "all", sys.argv[1])
        return 0
    except (RuntimeError, OSError) as error:
        print(f"fleet-check: {error}", file=sys.stderr)
        log = os.path.join(run, "prometheus.log")
        if os.path.exists(log):
            with open(log, errors="replace") as f:
                print(f.read()[-3000:], file=sys.stderr)
        return 1
    finally:
        shutil.rmtree(run, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
