/* The board driver's wire format: request codes, the 16-byte request header,
   the two slot layouts and the trace exchange. Plain C, so that the programs
   and the kernel-mode stand-in share one definition. */
#ifndef COMMON_DRIVER_WIRE_H
#define COMMON_DRIVER_WIRE_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#define TP_STATIC_ASSERT static_assert
#else
#define TP_STATIC_ASSERT _Static_assert
#endif

/* Serial port device type, function 0x804, buffered, any access. */
#define TP_CONTROL_CODE_NT 0x1B2010u
#define TP_CONTROL_CODE_95 0x101u

#define TP_REQUEST_PORT_LIST 10u
#define TP_REQUEST_COUNTER_READ 11u
#define TP_REQUEST_TRACE 13u

#define TP_HEADER_SIZE 16u
#define TP_NAME_SLOT_SIZE 12u
#define TP_COUNTER_SLOT_SIZE 20u
/* A port-list request exchanges this many bytes, header included. */
#define TP_PORT_LIST_SIZE 1560u
#define TP_TRACE_EXCHANGE_SIZE 10100u
#define TP_TRACE_TEXT_ROOM (TP_TRACE_EXCHANGE_SIZE - TP_HEADER_SIZE)

/* Port status bits; other bits are carried but not interpreted. */
#define TP_STATUS_DTR 0x0001u
#define TP_STATUS_RTS 0x0002u
#define TP_STATUS_CD 0x0008u
#define TP_STATUS_DSR 0x0010u
#define TP_STATUS_CTS 0x0020u
#define TP_STATUS_OPEN 0x0100u

typedef struct TpRequestHeader {
    uint32_t Code;
    uint32_t SlotSize; /* the exchange size in a trace request, the text byte count in its reply */
    uint8_t Reserved[8];
} TpRequestHeader;
TP_STATIC_ASSERT(sizeof(TpRequestHeader) == TP_HEADER_SIZE, "request header is 16 bytes");

typedef struct TpNameSlot {
    char Name[TP_NAME_SLOT_SIZE];
} TpNameSlot;
TP_STATIC_ASSERT(sizeof(TpNameSlot) == TP_NAME_SLOT_SIZE, "name slot is 12 bytes");

typedef struct TpCounterSlot {
    uint32_t TxTotalRaw;
    uint32_t RxTotalRaw;
    uint16_t TxPkts;
    uint16_t RxPkts;
    uint16_t OverrunErrorsRaw;
    uint16_t FramingErrorsRaw;
    uint16_t ParityErrorsRaw;
    uint16_t PortStatus;
} TpCounterSlot;
TP_STATIC_ASSERT(sizeof(TpCounterSlot) == TP_COUNTER_SLOT_SIZE, "counter slot is 20 bytes");
TP_STATIC_ASSERT(offsetof(TpCounterSlot, TxPkts) == 8 && offsetof(TpCounterSlot, PortStatus) == 18,
                 "counter slot layout");

#endif
