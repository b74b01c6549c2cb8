#!/usr/bin/env python3
"""Checks a release ZIP: exactly the expected files under one top folder, the
programs built for the ZIP's bitness with their manifests, the drivers
kernel-mode files (64-bit in both ZIPs, and 32-bit too in the 32-bit one) whose
signatures osslsigncode verifies with the certificate the ZIP ships, README.txt
in CR LF and the guide a page that needs nothing beside it.

    check_package.py ZIP win32|win64

Exits 77 (skipped) when the ZIP has not been made.
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile

PROGRAMS = ["standin_ctl.exe", "vizo.exe", "zorvel-export.exe", "zorvel-service.exe", "zorvel.exe"]
KIT = ["monitoring/prometheus.yml", "monitoring/zorvel-dashboard.json", "monitoring/zorvel-rules.yml"]
MACHINES = {"win32": (0x14C, 0x10B), "win64": (0x8664, 0x20B)}
DRIVERS = {"win32": {"tarnel_standin.sys": "win64", "tarnel_standin_x86.sys": "win32"},
           "win64": {"tarnel_standin.sys": "win64"}}
CERTIFICATE = "tarnelport-test-signing.cer"


def expected_files(system):
    return sorted(PROGRAMS + KIT + ["README.txt", "docs/guide.html", CERTIFICATE] + list(DRIVERS[system]))


def signature_problems(archive, top, drivers):
    """What osslsigncode says against each driver's signature, checked with the shipped certificate."""
    if shutil.which("osslsigncode") is None or shutil.which("openssl") is None:
        return ["osslsigncode or openssl is missing (scripts/setup.sh installs them)"]
    found = []
    with tempfile.TemporaryDirectory() as folder:
        cer = os.path.join(folder, CERTIFICATE)
        with open(cer, "wb") as out:
            out.write(archive.read(f"{top}/{CERTIFICATE}"))
        pem = os.path.join(folder, "certificate.pem")
        subprocess.run(["openssl", "x509", "-inform", "der", "-in", cer, "-out", pem], check=True,
                       capture_output=True)
        for driver in drivers:
            path = os.path.join(folder, driver)
            with open(path, "wb") as out:
                out.write(archive.read(f"{top}/{driver}"))
            result = subprocess.run(["osslsigncode", "verify", "-in", path, "-CAfile", pem],
                                    capture_output=True, text=True)
            if result.returncode != 0 or "Signature verification: ok" not in result.stdout:
                last = (result.stdout + result.stderr).strip().splitlines()[-3:]
                found.append(f"{driver}: osslsigncode verify failed: {' / '.join(last)}")
    return found
NATIVE_SUBSYSTEM = 1


def pe_header(data):
    """(machine, optional-header magic, subsystem) of a PE file, or None."""
    if len(data) < 0x40 or data[:2] != b"MZ":
        return None
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    if data[offset:offset + 4] != b"PE\0\0":
        return None
    machine = struct.unpack_from("<H", data, offset + 4)[0]
    optional = offset + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    subsystem = struct.unpack_from("<H", data, optional + 68)[0]
    return machine, magic, subsystem


def problems(path, system):
    found = []
    with zipfile.ZipFile(path) as archive:
        names = [n for n in archive.namelist() if not n.endswith("/")]
        top = {n.split("/", 1)[0] for n in names}
        expected_top = os.path.basename(path)[:-len(".zip")]
        if top != {expected_top}:
            return [f"top folders {sorted(top)}, expected {expected_top}"]
        inside = sorted(n.split("/", 1)[1] for n in names)
        if inside != expected_files(system):
            found.append(f"files {inside}, expected {expected_files(system)}")

        def read(name):
            return archive.read(f"{expected_top}/{name}")

        machine, magic = MACHINES[system]
        for program in PROGRAMS:
            if program in inside and pe_header(read(program))[:2] != (machine, magic):
                found.append(f"{program} is {pe_header(read(program))}, expected machine {machine:#x} magic {magic:#x}")
        for program in PROGRAMS:
            if program in inside and b'requestedExecutionLevel level="asInvoker"' not in read(program):
                found.append(f"{program} carries no manifest asking for asInvoker")
        drivers = [d for d in DRIVERS[system] if d in inside]
        for driver in drivers:
            header = pe_header(read(driver))
            if header != MACHINES[DRIVERS[system][driver]] + (NATIVE_SUBSYSTEM,):
                found.append(f"{driver} is {header}, expected a {DRIVERS[system][driver]} native image")
        if CERTIFICATE in inside:
            found += signature_problems(archive, expected_top, drivers)
        if "README.txt" in inside:
            readme = read("README.txt")
            if not readme.endswith(b"\r\n") or readme.count(b"\n") != readme.count(b"\r\n"):
                found.append("README.txt does not end every line with CR LF")
        if "docs/guide.html" in inside:
            guide = read("docs/guide.html").decode("utf-8")
            outside = [s for s in re.findall(r'<img\b[^>]*\bsrc="([^"]*)"', guide) if not s.startswith("data:")]
            if outside:
                found.append(f"guide.html needs files beside it: {outside}")
    return found


def main():
    path, system = sys.argv[1], sys.argv[2]
    if not os.path.isfile(path):
        print(f"skipped: {path} has not been made (bash scripts/package.sh makes it)")
        return 77
    found = problems(path, system)
    for problem in found:
        print(f"{os.path.basename(path)}: {problem}")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
