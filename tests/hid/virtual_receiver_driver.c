// A HID minidriver that stands for a GV-RCKIT3 receiver in tests. The class
// driver stacks a HID device on top of it; every output report written to that
// device is queued and handed back as an input report, so a test can press
// remote buttons through the real raw-input path.

#include <ddk/wdm.h>

#include "virtual_receiver.h"

// The HID minidriver interface as the class driver documents it. MinGW ships
// no header for it (and ddk/hidclass.h numbers the internal requests wrongly),
// so the few items the virtual receiver uses are declared here.

#define VR_HID_CTL(id) CTL_CODE(FILE_DEVICE_KEYBOARD, (id), METHOD_NEITHER, FILE_ANY_ACCESS)
#define VR_HID_IN_CTL(id) CTL_CODE(FILE_DEVICE_KEYBOARD, (id), METHOD_IN_DIRECT, FILE_ANY_ACCESS)

#define IOCTL_HID_GET_DEVICE_DESCRIPTOR VR_HID_CTL(0)
#define IOCTL_HID_GET_REPORT_DESCRIPTOR VR_HID_CTL(1)
#define IOCTL_HID_READ_REPORT VR_HID_CTL(2)
#define IOCTL_HID_WRITE_REPORT VR_HID_CTL(3)
#define IOCTL_HID_GET_STRING VR_HID_CTL(4)
#define IOCTL_HID_ACTIVATE_DEVICE VR_HID_CTL(7)
#define IOCTL_HID_DEACTIVATE_DEVICE VR_HID_CTL(8)
#define IOCTL_HID_GET_DEVICE_ATTRIBUTES VR_HID_CTL(9)
#define IOCTL_HID_SET_OUTPUT_REPORT VR_HID_IN_CTL(101)

// The ids of IOCTL_HID_GET_STRING, as Windows numbers them and as Wine's
// class driver does (its headers' enumeration starts at 1).
#define HID_STRING_ID_IMANUFACTURER 14
#define HID_STRING_ID_IPRODUCT 15
#define HID_STRING_ID_ISERIALNUMBER 16
#define WINE_HID_STRING_ID_IMANUFACTURER 1
#define WINE_HID_STRING_ID_IPRODUCT 2
#define WINE_HID_STRING_ID_ISERIALNUMBER 3

#define HID_HID_DESCRIPTOR_TYPE 0x21
#define HID_REPORT_DESCRIPTOR_TYPE 0x22

typedef struct _HID_MINIDRIVER_REGISTRATION {
  ULONG Revision;
  PDRIVER_OBJECT DriverObject;
  PUNICODE_STRING RegistryPath;
  ULONG DeviceExtensionSize;
  BOOLEAN DevicesArePolled;
  UCHAR Reserved[3];
} HID_MINIDRIVER_REGISTRATION, *PHID_MINIDRIVER_REGISTRATION;

// The class driver's extension of every device object it creates for us.
typedef struct _HID_DEVICE_EXTENSION {
  PDEVICE_OBJECT PhysicalDeviceObject;
  PDEVICE_OBJECT NextDeviceObject;
  PVOID MiniDeviceExtension;
} HID_DEVICE_EXTENSION, *PHID_DEVICE_EXTENSION;

typedef struct _HID_DEVICE_ATTRIBUTES {
  ULONG Size;
  USHORT VendorID;
  USHORT ProductID;
  USHORT VersionNumber;
  USHORT Reserved[11];
} HID_DEVICE_ATTRIBUTES, *PHID_DEVICE_ATTRIBUTES;

#pragma pack(push, 1)
typedef struct _HID_DESCRIPTOR {
  UCHAR bLength;
  UCHAR bDescriptorType;
  USHORT bcdHID;
  UCHAR bCountry;
  UCHAR bNumDescriptors;
  struct {
    UCHAR bReportType;
    USHORT wReportLength;
  } DescriptorList[1];
} HID_DESCRIPTOR, *PHID_DESCRIPTOR;
#pragma pack(pop)

typedef struct _HID_XFER_PACKET {
  PUCHAR reportBuffer;
  ULONG reportBufferLen;
  UCHAR reportId;
} HID_XFER_PACKET, *PHID_XFER_PACKET;

NTSTATUS NTAPI HidRegisterMinidriver(PHID_MINIDRIVER_REGISTRATION registration);

typedef struct {
  USHORT vendorId;
  KSPIN_LOCK lock;
  PIRP pendingRead;  // the class driver's read, waiting for a report
  UCHAR queue[VR_QUEUE_LENGTH][VR_REPORT_SIZE];
  ULONG head;
  ULONG count;
  BOOLEAN removed;
} ReceiverState;

// Consumer control with one 8-byte input report and one 8-byte output report.
static const UCHAR kReportDescriptor[] = {
    0x05, 0x0C,                // usage page: consumer
    0x09, 0x01,                // usage: consumer control
    0xA1, 0x01,                // collection: application
    0x85, VR_INPUT_REPORT_ID,  //   report id
    0x15, 0x00,                //   logical minimum 0
    0x26, 0xFF, 0x00,          //   logical maximum 255
    0x19, 0x00,                //   usage minimum 0
    0x2A, 0xFF, 0x00,          //   usage maximum 255
    0x75, 0x08,                //   report size 8
    0x95, VR_REPORT_SIZE - 1,  //   report count 7
    0x81, 0x00,                //   input: data, array
    0x85, VR_OUTPUT_REPORT_ID, //   report id
    0x09, 0x00,                //   usage: unassigned
    0x75, 0x08,                //   report size 8
    0x95, VR_REPORT_SIZE - 1,  //   report count 7
    0x91, 0x02,                //   output: data, variable
    0xC0,                      // end collection
};

static ReceiverState* stateOf(PDEVICE_OBJECT device) {
  return (ReceiverState*)((PHID_DEVICE_EXTENSION)device->DeviceExtension)->MiniDeviceExtension;
}

static NTSTATUS complete(PIRP irp, NTSTATUS status, ULONG_PTR information) {
  irp->IoStatus.Status = status;
  irp->IoStatus.Information = information;
  IoCompleteRequest(irp, IO_NO_INCREMENT);
  return status;
}

// For a request handled under the state's lock: the lock released first.
static NTSTATUS unlockAndComplete(ReceiverState* state, KIRQL irql, PIRP irp, NTSTATUS status, ULONG_PTR information) {
  KeReleaseSpinLock(&state->lock, irql);
  return complete(irp, status, information);
}

static NTSTATUS copyOut(PIRP irp, const void* data, ULONG length) {
  PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
  if (stack->Parameters.DeviceIoControl.OutputBufferLength < length || !irp->UserBuffer) {
    return complete(irp, STATUS_BUFFER_TOO_SMALL, 0);
  }
  RtlCopyMemory(irp->UserBuffer, data, length);
  return complete(irp, STATUS_SUCCESS, length);
}

// Hands the oldest queued report to `read`. Called with the lock held.
static ULONG takeReport(ReceiverState* state, PIRP read) {
  PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(read);
  ULONG length = stack->Parameters.DeviceIoControl.OutputBufferLength;
  if (length > VR_REPORT_SIZE) length = VR_REPORT_SIZE;
  RtlCopyMemory(read->UserBuffer, state->queue[state->head], length);
  state->head = (state->head + 1) % VR_QUEUE_LENGTH;
  --state->count;
  return length;
}

static void NTAPI cancelRead(PDEVICE_OBJECT device, PIRP irp) {
  ReceiverState* state = stateOf(device);
  KIRQL irql;
  IoReleaseCancelSpinLock(irp->CancelIrql);
  KeAcquireSpinLock(&state->lock, &irql);
  if (state->pendingRead == irp) state->pendingRead = NULL;
  unlockAndComplete(state, irql, irp, STATUS_CANCELLED, 0);
}

// Takes the pending read out of the state if it can still be completed by us.
static PIRP claimPendingRead(ReceiverState* state) {
  PIRP read = state->pendingRead;
  if (read && IoSetCancelRoutine(read, NULL) == NULL) return NULL;  // being cancelled
  state->pendingRead = NULL;
  return read;
}

static NTSTATUS readReport(PDEVICE_OBJECT device, PIRP irp) {
  ReceiverState* state = stateOf(device);
  KIRQL irql;
  if (!irp->UserBuffer || IoGetCurrentIrpStackLocation(irp)->Parameters.DeviceIoControl.OutputBufferLength == 0) {
    return complete(irp, STATUS_BUFFER_TOO_SMALL, 0);
  }
  KeAcquireSpinLock(&state->lock, &irql);
  if (state->removed) return unlockAndComplete(state, irql, irp, STATUS_DELETE_PENDING, 0);
  if (state->count > 0) return unlockAndComplete(state, irql, irp, STATUS_SUCCESS, takeReport(state, irp));
  // The class driver reads one report at a time.
  if (state->pendingRead) return unlockAndComplete(state, irql, irp, STATUS_DEVICE_BUSY, 0);
  IoMarkIrpPending(irp);
  IoSetCancelRoutine(irp, cancelRead);
  if (irp->Cancel && IoSetCancelRoutine(irp, NULL)) {
    unlockAndComplete(state, irql, irp, STATUS_CANCELLED, 0);
    return STATUS_PENDING;
  }
  state->pendingRead = irp;
  KeReleaseSpinLock(&state->lock, irql);
  return STATUS_PENDING;
}

// An output report from a test: queue its data bytes as the next input report.
static NTSTATUS queueReport(PDEVICE_OBJECT device, PIRP irp) {
  ReceiverState* state = stateOf(device);
  PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
  HID_XFER_PACKET* packet = (HID_XFER_PACKET*)irp->UserBuffer;
  if (!packet) packet = (HID_XFER_PACKET*)stack->Parameters.DeviceIoControl.Type3InputBuffer;
  if (!packet || !packet->reportBuffer || packet->reportBufferLen < VR_REPORT_SIZE ||
      packet->reportBuffer[0] != VR_OUTPUT_REPORT_ID) {
    return complete(irp, STATUS_INVALID_PARAMETER, 0);
  }
  UCHAR report[VR_REPORT_SIZE];
  report[0] = VR_INPUT_REPORT_ID;
  RtlCopyMemory(report + 1, packet->reportBuffer + 1, VR_REPORT_SIZE - 1);

  KIRQL irql;
  KeAcquireSpinLock(&state->lock, &irql);
  if (state->count == VR_QUEUE_LENGTH) return unlockAndComplete(state, irql, irp, STATUS_DEVICE_BUSY, 0);
  RtlCopyMemory(state->queue[(state->head + state->count) % VR_QUEUE_LENGTH], report, VR_REPORT_SIZE);
  ++state->count;
  PIRP read = claimPendingRead(state);
  ULONG length = read ? takeReport(state, read) : 0;
  KeReleaseSpinLock(&state->lock, irql);
  if (read) complete(read, STATUS_SUCCESS, length);
  return complete(irp, STATUS_SUCCESS, VR_REPORT_SIZE);
}

// The strings a HID device has. Wine's class driver gives up on a device
// whose serial number it cannot read; each device's follows from its vendor,
// so the two devices never share one. The string's id is the input "buffer"
// itself, its high word a language; Windows numbers the strings 14, 15 and
// 16, Wine's class driver 1, 2 and 3.
static NTSTATUS getString(PDEVICE_OBJECT device, PIRP irp) {
  static const WCHAR manufacturer[] = L"Vexlo tests";
  static const WCHAR product[] = L"Virtual GV-RCKIT3 receiver";
  static const WCHAR digits[] = L"0123456789ABCDEF";
  WCHAR serial[] = L"VEXLO-0000";
  const USHORT vendor = stateOf(device)->vendorId;
  for (int i = 0; i < 4; ++i) serial[6 + i] = digits[(vendor >> (12 - 4 * i)) & 0xF];
  const ULONG_PTR input = (ULONG_PTR)IoGetCurrentIrpStackLocation(irp)->Parameters.DeviceIoControl.Type3InputBuffer;
  switch (input & 0xFFFF) {
    case HID_STRING_ID_IMANUFACTURER:
    case WINE_HID_STRING_ID_IMANUFACTURER:
      return copyOut(irp, manufacturer, sizeof manufacturer);
    case HID_STRING_ID_IPRODUCT:
    case WINE_HID_STRING_ID_IPRODUCT:
      return copyOut(irp, product, sizeof product);
    case HID_STRING_ID_ISERIALNUMBER:
    case WINE_HID_STRING_ID_ISERIALNUMBER:
      return copyOut(irp, serial, sizeof serial);
    default:
      return complete(irp, STATUS_INVALID_PARAMETER, 0);
  }
}

static NTSTATUS NTAPI dispatchInternal(PDEVICE_OBJECT device, PIRP irp) {
  PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
  switch (stack->Parameters.DeviceIoControl.IoControlCode) {
    case IOCTL_HID_GET_DEVICE_DESCRIPTOR: {
      const HID_DESCRIPTOR descriptor = {.bLength = sizeof descriptor, .bDescriptorType = HID_HID_DESCRIPTOR_TYPE,
                                         .bcdHID = 0x0100, .bNumDescriptors = 1,
                                         .DescriptorList = {{HID_REPORT_DESCRIPTOR_TYPE, sizeof kReportDescriptor}}};
      return copyOut(irp, &descriptor, sizeof descriptor);
    }
    case IOCTL_HID_GET_REPORT_DESCRIPTOR:
      return copyOut(irp, kReportDescriptor, sizeof kReportDescriptor);
    case IOCTL_HID_GET_DEVICE_ATTRIBUTES: {
      const HID_DEVICE_ATTRIBUTES attributes = {.Size = sizeof attributes, .VendorID = stateOf(device)->vendorId,
                                                .ProductID = VR_PRODUCT_ID, .VersionNumber = 0x0100};
      return copyOut(irp, &attributes, sizeof attributes);
    }
    case IOCTL_HID_GET_STRING:
      return getString(device, irp);
    case IOCTL_HID_READ_REPORT:
      return readReport(device, irp);
    case IOCTL_HID_WRITE_REPORT:
    case IOCTL_HID_SET_OUTPUT_REPORT:
      return queueReport(device, irp);
    case IOCTL_HID_ACTIVATE_DEVICE:
    case IOCTL_HID_DEACTIVATE_DEVICE:
      return complete(irp, STATUS_SUCCESS, 0);
    default:
      return complete(irp, STATUS_NOT_SUPPORTED, 0);
  }
}

static void failPendingRead(ReceiverState* state) {
  KIRQL irql;
  KeAcquireSpinLock(&state->lock, &irql);
  state->removed = TRUE;
  PIRP read = claimPendingRead(state);
  KeReleaseSpinLock(&state->lock, irql);
  if (read) complete(read, STATUS_DELETE_PENDING, 0);
}

static NTSTATUS NTAPI dispatchPnp(PDEVICE_OBJECT device, PIRP irp) {
  PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
  if (stack->MinorFunction == IRP_MN_REMOVE_DEVICE || stack->MinorFunction == IRP_MN_SURPRISE_REMOVAL) {
    failPendingRead(stateOf(device));
  }
  irp->IoStatus.Status = STATUS_SUCCESS;
  IoSkipCurrentIrpStackLocation(irp);
  return IoCallDriver(((PHID_DEVICE_EXTENSION)device->DeviceExtension)->NextDeviceObject, irp);
}

static NTSTATUS NTAPI dispatchPower(PDEVICE_OBJECT device, PIRP irp) {
  PoStartNextPowerIrp(irp);
  IoSkipCurrentIrpStackLocation(irp);
  return PoCallDriver(((PHID_DEVICE_EXTENSION)device->DeviceExtension)->NextDeviceObject, irp);
}

// The vendor follows from the hardware id the device was created with.
static USHORT vendorFor(PDEVICE_OBJECT physical) {
  WCHAR ids[256] = {0};  // its last character, left out of the read, ends the first id
  ULONG length = 0;
  UNICODE_STRING found, other = RTL_CONSTANT_STRING(VR_OTHER_HARDWARE_ID);
  if (!NT_SUCCESS(IoGetDeviceProperty(physical, DevicePropertyHardwareID, sizeof ids - sizeof(WCHAR), ids, &length))) {
    return VR_RECEIVER_VENDOR_ID;
  }
  RtlInitUnicodeString(&found, ids);
  return RtlEqualUnicodeString(&found, &other, TRUE) ? VR_OTHER_VENDOR_ID : VR_RECEIVER_VENDOR_ID;
}

static NTSTATUS NTAPI addDevice(PDRIVER_OBJECT driver, PDEVICE_OBJECT fdo) {
  (void)driver;
  PHID_DEVICE_EXTENSION extension = (PHID_DEVICE_EXTENSION)fdo->DeviceExtension;
  ReceiverState* state = (ReceiverState*)extension->MiniDeviceExtension;
  RtlZeroMemory(state, sizeof *state);
  KeInitializeSpinLock(&state->lock);
  state->vendorId = vendorFor(extension->PhysicalDeviceObject);
  fdo->Flags &= ~DO_DEVICE_INITIALIZING;
  return STATUS_SUCCESS;
}

static void NTAPI unload(PDRIVER_OBJECT driver) { (void)driver; }

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath) {
  driver->MajorFunction[IRP_MJ_INTERNAL_DEVICE_CONTROL] = dispatchInternal;
  driver->MajorFunction[IRP_MJ_PNP] = dispatchPnp;
  driver->MajorFunction[IRP_MJ_POWER] = dispatchPower;
  driver->DriverExtension->AddDevice = addDevice;
  driver->DriverUnload = unload;

  HID_MINIDRIVER_REGISTRATION registration = {.Revision = 1, .DriverObject = driver, .RegistryPath = registryPath,
                                              .DeviceExtensionSize = sizeof(ReceiverState), .DevicesArePolled = FALSE};
  return HidRegisterMinidriver(&registration);
}
