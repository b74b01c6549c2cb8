#!/usr/bin/env python3
"""Checks a release ZIP: exactly the expected files under one top folder, the
programs built for the ZIP's bitness with their manifests and importing
nothing that Windows 7 lacks (each program's lowest Windows is printed), the drivers
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
KIT = ["monitoring/alertmanager.yml", "monitoring/prometheus.yml", "monitoring/zorvel-dashboard.json", "monitoring/zorvel-rules.yml"]
MACHINES = {"win32": (0x14C, 0x10B), "win64": (0x8664, 0x20B)}
DRIVERS = {"win32": {"tarnel_standin.sys": "win64", "tarnel_standin_x86.sys": "win32"},
           "win64": {"tarnel_standin.sys": "win64"}}
CERTIFICATE = "tarnelport-test-signing.cer"

# The manifests declare Windows 7 to 11.
LOWEST_WINDOWS = (6, 1)
WINDOWS_NAMES = {(5, 1): "Windows XP", (6, 0): "Windows Vista", (6, 1): "Windows 7", (6, 2): "Windows 8",
                 (10, 0): "Windows 10"}
# Functions Windows XP lacks, with the first Windows that has them: the one the
# programs import (GetTickCount64: their clock and MinGW's thread library call
# it) and the usual traps.
NEWER_THAN_XP = {
    (6, 0): ["GetTickCount64", "InitializeSRWLock", "AcquireSRWLockExclusive", "AcquireSRWLockShared",
             "ReleaseSRWLockExclusive", "ReleaseSRWLockShared", "InitializeConditionVariable",
             "SleepConditionVariableCS", "SleepConditionVariableSRW", "WakeConditionVariable",
             "WakeAllConditionVariable", "InitOnceExecuteOnce", "InitOnceBeginInitialize", "InitOnceComplete",
             "GetFinalPathNameByHandleA", "GetFinalPathNameByHandleW", "CreateSymbolicLinkA", "CreateSymbolicLinkW",
             "SetFileInformationByHandle", "GetFileInformationByHandleEx", "QueryFullProcessImageNameA",
             "QueryFullProcessImageNameW", "CancelIoEx", "GetQueuedCompletionStatusEx", "GetLocaleInfoEx",
             "LCIDToLocaleName", "LocaleNameToLCID",
             # The 64-bit XP has these two, the 32-bit one does not.
             "RegGetValueA", "RegGetValueW"],
    (6, 1): ["TryAcquireSRWLockExclusive", "TryAcquireSRWLockShared", "SetThreadGroupAffinity",
             "GetThreadGroupAffinity", "GetActiveProcessorCount", "GetLogicalProcessorInformationEx",
             "QueryUnbiasedInterruptTime"],
    (6, 2): ["GetSystemTimePreciseAsFileTime", "CreateFile2", "GetCurrentThreadStackLimits", "SetThreadInformation",
             "WaitOnAddress", "WakeByAddressSingle", "WakeByAddressAll",
             # Windows 8 or 10, as sources differ; Windows 7's bcryptprimitives.dll has none.
             "ProcessPrng"],
    (10, 0): ["IsWow64Process2", "SetThreadDescription", "GetThreadDescription"],
}
FIRST_WINDOWS = {function: version for version, functions in NEWER_THAN_XP.items() for function in functions}
# DLLs by the start of their names that older systems lack: the C runtime's API
# sets come with Windows 10, the first API sets and bcryptprimitives.dll with 7.
NEWER_DLLS = [("api-ms-win-crt-", (10, 0)), ("ucrtbase.dll", (10, 0)), ("api-ms-win-", (6, 1)),
              ("bcryptprimitives.dll", (6, 1))]


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


def pe_imports(data):
    """{DLL name in small letters: [function names, "#N" for an ordinal]} of a PE32 or PE32+ file."""
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    section_count = struct.unpack_from("<H", data, offset + 6)[0]
    optional_size = struct.unpack_from("<H", data, offset + 20)[0]
    optional = offset + 24
    plus = struct.unpack_from("<H", data, optional)[0] == 0x20B
    import_rva = struct.unpack_from("<I", data, optional + (120 if plus else 104))[0]
    # (virtual size, address, raw size, raw offset) of each section
    sections = [struct.unpack_from("<4I", data, optional + optional_size + 40 * i + 8) for i in range(section_count)]

    def at(rva):
        for size, address, raw_size, raw in sections:
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError(f"RVA {rva:#x} lies in no section")

    def text(rva):
        start = at(rva)
        return data[start:data.index(b"\0", start)].decode("ascii")

    thunk_format, by_ordinal = ("<Q", 1 << 63) if plus else ("<I", 1 << 31)
    imports = {}
    entry = at(import_rva) if import_rva else None
    while entry is not None:
        lookup, _, _, name, first = struct.unpack_from("<5I", data, entry)
        if name == 0:
            break
        functions = imports.setdefault(text(name).lower(), [])
        # Without a lookup table the address table holds the names until the loader binds it.
        thunk = at(lookup or first)
        while (value := struct.unpack_from(thunk_format, data, thunk)[0]) != 0:
            functions.append(f"#{value & 0xFFFF}" if value & by_ordinal else text((value & 0x7FFFFFFF) + 2))
            thunk += struct.calcsize(thunk_format)
        entry += 20
    return imports


def lowest_windows(imports):
    """The lowest Windows version (major, minor) that `imports` allow, and the names that ask for it."""
    needs = {}
    for dll, functions in imports.items():
        version = next((v for start, v in NEWER_DLLS if dll.startswith(start)), None)
        if version:
            needs.setdefault(version, []).append(dll)
        for function in functions:
            if function in FIRST_WINDOWS:
                needs.setdefault(FIRST_WINDOWS[function], []).append(function)
    if not needs:
        return (5, 1), []
    lowest = max(needs)
    return lowest, sorted(needs[lowest])


def import_problems(zip_name, program, data):
    imports = pe_imports(data)
    if "kernel32.dll" not in imports:
        return [f"{program}: no KERNEL32.dll in the import table read: {sorted(imports)}"]
    version, names = lowest_windows(imports)
    print(f"{zip_name}: {program} needs {WINDOWS_NAMES[version]} ({version[0]}.{version[1]})"
          + (f" for {', '.join(names)}" if names else ""))
    found = []
    if version > LOWEST_WINDOWS:
        found.append(f"{program} imports {', '.join(names)}, which {WINDOWS_NAMES[LOWEST_WINDOWS]} lacks")
    # Windows before 10 1511 would refuse to start the program.
    if any("IsWow64Process2" in functions for functions in imports.values()):
        found.append(f"{program} imports IsWow64Process2 instead of looking it up at run time")
    return found


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
            if program in inside:
                found += import_problems(os.path.basename(path), program, read(program))
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
