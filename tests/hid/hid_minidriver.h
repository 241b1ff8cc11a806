#pragma once
// The HID minidriver interface as the class driver documents it. MinGW ships
// no header for it (and ddk/hidclass.h numbers the internal requests wrongly),
// so the few items the virtual receiver uses are declared here.

#include <ddk/wdm.h>

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
