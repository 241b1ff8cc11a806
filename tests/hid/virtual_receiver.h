#pragma once
// What the virtual receiver device and the programs that drive it agree on.
// Plain C, shared by the driver and the Windows test programs.

// Input reports (report id 1) are what a receiver sends; the button code sits
// at byte 6 of the report as the reader sees it, the id byte included.
#define VR_INPUT_REPORT_ID 1
// Output reports (report id 2) are the control path: each one written to the
// device comes back as one input report with the same seven data bytes.
#define VR_OUTPUT_REPORT_ID 2
#define VR_REPORT_SIZE 8
#define VR_CODE_OFFSET 6
// Reports the device holds for the class driver to read; a write to a full
// queue is turned away (STATUS_DEVICE_BUSY).
#define VR_QUEUE_LENGTH 64

#define VR_RECEIVER_HARDWARE_ID L"root\\VexloVirtualReceiver"
// A second consumer-control device of another vendor, for the tests that the
// launcher ignores what is not the receiver.
#define VR_OTHER_HARDWARE_ID L"root\\VexloVirtualOther"

#define VR_RECEIVER_VENDOR_ID 0x04BB
#define VR_OTHER_VENDOR_ID 0x1209
#define VR_PRODUCT_ID 0x0F0E
