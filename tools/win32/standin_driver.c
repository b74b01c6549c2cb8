/* Kernel-mode glue of the stand-in driver: its device and links, its
   configuration from the service key, and the control calls handed to the
   portable core under one lock. */
#include <ntddk.h>

#include "tools/standin/si_standin.h"

#define POOL_TAG 0x6E735054u /* "TPsn" in a pool dump */
#define VALUE_ROOM 8192u     /* bytes of a registry value: 256 names of 12 characters in UTF-16 */
#define SYSTEM_TIME_OF_DAY_INFORMATION 3u

/* Not declared by the DDK headers; exported by every kernel. */
NTSYSAPI NTSTATUS NTAPI ZwQuerySystemInformation(ULONG infoClass, PVOID info, ULONG size, PULONG returned);

typedef struct TimeOfDay {
    LARGE_INTEGER BootTime;
    LARGE_INTEGER CurrentTime;
    LARGE_INTEGER TimeZoneBias;
    ULONG TimeZoneId;
    ULONG Reserved;
    ULONGLONG BootTimeBias;
    ULONGLONG SleepTimeBias;
} TimeOfDay;

static SiConfig g_config;
static SiStandIn g_standIn;
static KMUTEX g_lock;
static PDEVICE_OBJECT g_device;
static uint64_t g_lastMs;

/* The DDK's KeQuerySystemTime reads kernel shared memory that a kernel
   emulated in user space does not map; this call works on both. */
static uint64_t NowMs(void) {
    TimeOfDay now;
    RtlZeroMemory(&now, sizeof now);
    if (!NT_SUCCESS(ZwQuerySystemInformation(SYSTEM_TIME_OF_DAY_INFORMATION, &now, sizeof now, NULL))) {
        return g_lastMs; /* time stands still rather than jumping */
    }
    LARGE_INTEGER local;
    ExSystemTimeToLocalTime(&now.CurrentTime, &local);
    g_lastMs = (uint64_t)local.QuadPart / 10000u;
    return g_lastMs;
}

static NTSTATUS QueryValue(HANDLE key, const WCHAR* name, PKEY_VALUE_PARTIAL_INFORMATION value) {
    UNICODE_STRING valueName;
    RtlInitUnicodeString(&valueName, name);
    ULONG length = 0;
    return ZwQueryValueKey(key, &valueName, KeyValuePartialInformation, value,
                           sizeof(KEY_VALUE_PARTIAL_INFORMATION) + VALUE_ROOM, &length);
}

/* A REG_SZ as ASCII; anything else becomes a character the checks refuse. */
static uint32_t Narrow(const KEY_VALUE_PARTIAL_INFORMATION* value, char* text) {
    const WCHAR* wide = (const WCHAR*)value->Data;
    uint32_t n = value->DataLength / sizeof(WCHAR);
    while (n > 0 && wide[n - 1] == 0) {
        --n;
    }
    for (uint32_t i = 0; i < n; ++i) {
        text[i] = wide[i] >= 0x20 && wide[i] <= 0x7E ? (char)wide[i] : '\x01';
    }
    return n;
}

static int ReadDword(HANDLE key, const WCHAR* name, PKEY_VALUE_PARTIAL_INFORMATION value, uint32_t* out) {
    if (!NT_SUCCESS(QueryValue(key, name, value)) || value->Type != REG_DWORD || value->DataLength != 4) {
        return 0;
    }
    *out = *(const ULONG*)value->Data;
    return 1;
}

typedef const char* (*ListSetter)(SiConfig*, const char*, uint32_t);

static const char* ReadList(HANDLE key, const WCHAR* name, PKEY_VALUE_PARTIAL_INFORMATION value, char* text,
                            ListSetter set) {
    if (!NT_SUCCESS(QueryValue(key, name, value)) || value->Type != REG_SZ) {
        return 0;
    }
    return set(&g_config, text, Narrow(value, text));
}

/* Values "Ports", "PortNames", "Links" and "Seed"; a missing one keeps its default. */
static NTSTATUS ReadConfig(PUNICODE_STRING registryPath) {
    si_config_defaults(&g_config);
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, registryPath, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL, NULL);
    HANDLE key;
    NTSTATUS status = ZwOpenKey(&key, KEY_READ, &attributes);
    if (!NT_SUCCESS(status)) {
        return status;
    }
    PKEY_VALUE_PARTIAL_INFORMATION value =
        ExAllocatePoolWithTag(PagedPool, sizeof(KEY_VALUE_PARTIAL_INFORMATION) + VALUE_ROOM, POOL_TAG);
    char* text = ExAllocatePoolWithTag(PagedPool, VALUE_ROOM / sizeof(WCHAR), POOL_TAG);
    status = STATUS_INSUFFICIENT_RESOURCES;
    if (value && text) {
        uint32_t number = 0;
        const char* problem = 0;
        if (ReadDword(key, L"Ports", value, &number)) {
            problem = si_config_set_ports(&g_config, number);
        }
        if (!problem) {
            problem = ReadList(key, L"PortNames", value, text, si_config_set_names);
        }
        if (!problem) {
            problem = ReadList(key, L"Links", value, text, si_config_set_links);
        }
        if (ReadDword(key, L"Seed", value, &number)) {
            g_config.seed = number;
        }
        status = problem ? STATUS_INVALID_PARAMETER : STATUS_SUCCESS;
    }
    if (text) {
        ExFreePoolWithTag(text, POOL_TAG);
    }
    if (value) {
        ExFreePoolWithTag(value, POOL_TAG);
    }
    ZwClose(key);
    return status;
}

/* "\DosDevices\<link>" */
static void LinkName(uint32_t link, WCHAR* text, PUNICODE_STRING name) {
    static const WCHAR prefix[] = L"\\DosDevices\\";
    const uint32_t prefixLength = sizeof prefix / sizeof prefix[0] - 1;
    const char* ascii = g_config.links[link];
    uint32_t n = 0;
    for (; n < prefixLength; ++n) {
        text[n] = prefix[n];
    }
    for (; *ascii; ++ascii) {
        text[n++] = (WCHAR)*ascii;
    }
    text[n] = 0;
    RtlInitUnicodeString(name, text);
}

#define LINK_NAME_ROOM (16u + SI_LINK_SIZE)

static void RemoveLinks(uint32_t count) {
    for (uint32_t link = 0; link < count; ++link) {
        WCHAR text[LINK_NAME_ROOM];
        UNICODE_STRING name;
        LinkName(link, text, &name);
        IoDeleteSymbolicLink(&name);
    }
}

static NTSTATUS Finish(PIRP irp, NTSTATUS status, ULONG_PTR written) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = written;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static NTSTATUS NTAPI OnOpenClose(PDEVICE_OBJECT device, PIRP irp) {
    UNREFERENCED_PARAMETER(device);
    return Finish(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS StatusOf(SiResult result) {
    switch (result) {
        case SI_OK: return STATUS_SUCCESS;
        case SI_SHORT_INPUT: return STATUS_INVALID_PARAMETER;
        case SI_SHORT_OUTPUT: return STATUS_BUFFER_TOO_SMALL;
        case SI_BAD_REQUEST: return STATUS_INVALID_DEVICE_REQUEST;
        default: return STATUS_IO_DEVICE_ERROR;
    }
}

static NTSTATUS Answer(uint8_t* buffer, ULONG inLen, ULONG outLen, uint32_t* written) {
    KeWaitForSingleObject(&g_lock, Executive, KernelMode, FALSE, NULL);
    const SiResult result = si_standin_request(&g_standIn, buffer, inLen, outLen, NowMs(), written);
    KeReleaseMutex(&g_lock, FALSE);
    return StatusOf(result);
}

/* 0x101 has the transfer type "in direct": the output arrives as an MDL, so
   the request is answered in a pool copy laid out as the buffered case. */
static NTSTATUS AnswerDirect(PIRP irp, ULONG inLen, ULONG outLen, uint32_t* written) {
    uint8_t* out = NULL;
    if (outLen > 0) {
        if (!irp->MdlAddress) {
            return STATUS_INVALID_PARAMETER;
        }
        out = MmGetSystemAddressForMdlSafe(irp->MdlAddress, NormalPagePriority);
        if (!out) {
            return STATUS_INSUFFICIENT_RESOURCES;
        }
    }
    const ULONG size = inLen > outLen ? inLen : outLen;
    uint8_t* work = ExAllocatePoolWithTag(NonPagedPool, size > 0 ? size : 1, POOL_TAG);
    if (!work) {
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    RtlZeroMemory(work, size);
    if (inLen > 0) {
        RtlCopyMemory(work, irp->AssociatedIrp.SystemBuffer, inLen);
    }
    const NTSTATUS status = Answer(work, inLen, outLen, written);
    if (NT_SUCCESS(status)) {
        RtlCopyMemory(out, work, *written);
    }
    ExFreePoolWithTag(work, POOL_TAG);
    return status;
}

static NTSTATUS NTAPI OnControl(PDEVICE_OBJECT device, PIRP irp) {
    UNREFERENCED_PARAMETER(device);
    const PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    const ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
    const ULONG inLen = stack->Parameters.DeviceIoControl.InputBufferLength;
    const ULONG outLen = stack->Parameters.DeviceIoControl.OutputBufferLength;
    uint32_t written = 0;
    NTSTATUS status = STATUS_INVALID_DEVICE_REQUEST;
    if (code == TP_CONTROL_CODE_NT) {
        status = Answer(irp->AssociatedIrp.SystemBuffer, inLen, outLen, &written);
    } else if (code == TP_CONTROL_CODE_95) {
        status = AnswerDirect(irp, inLen, outLen, &written);
    }
    return Finish(irp, status, NT_SUCCESS(status) ? written : 0);
}

static VOID NTAPI OnUnload(PDRIVER_OBJECT driver) {
    UNREFERENCED_PARAMETER(driver);
    RemoveLinks(g_config.linkCount);
    IoDeleteDevice(g_device);
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
    NTSTATUS status = ReadConfig(registryPath);
    if (!NT_SUCCESS(status)) {
        return status;
    }
    KeInitializeMutex(&g_lock, 0);
    si_standin_start(&g_standIn, &g_config, NowMs());

    UNICODE_STRING deviceName;
    RtlInitUnicodeString(&deviceName, L"\\Device\\TarnelStandIn");
    status = IoCreateDevice(driver, 0, &deviceName, FILE_DEVICE_SERIAL_PORT, FILE_DEVICE_SECURE_OPEN, FALSE, &g_device);
    if (!NT_SUCCESS(status)) {
        return status;
    }
    g_device->Flags |= DO_BUFFERED_IO;
    for (uint32_t link = 0; link < g_config.linkCount; ++link) {
        WCHAR text[LINK_NAME_ROOM];
        UNICODE_STRING name;
        LinkName(link, text, &name);
        status = IoCreateSymbolicLink(&name, &deviceName);
        if (!NT_SUCCESS(status)) {
            RemoveLinks(link);
            IoDeleteDevice(g_device);
            return status;
        }
    }
    driver->MajorFunction[IRP_MJ_CREATE] = OnOpenClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = OnOpenClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = OnControl;
    driver->DriverUnload = OnUnload;
    g_device->Flags &= ~DO_DEVICE_INITIALIZING;
    return STATUS_SUCCESS;
}
