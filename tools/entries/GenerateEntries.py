#!/usr/bin/env python3
"""Writes the device library's C header, the virtual module's generic entries
and the hardware library's unsupported entries.

  python3 tools/entries/GenerateEntries.py

The table below is the one place where the 249 entries, their order and their
argument lists are written down. Entries listed in HAND_WRITTEN act on the
virtual device and live in sim/dllqk/*Entries.cpp; every other entry checks its
arguments, clears what it returns and answers 0.
"""
import pathlib
import re

ROOT = pathlib.Path(__file__).resolve().parents[2]

def entries():
    rows = []
    def add(name, params):
        rows.append((name, params))
    # versions, driver and device selection
    add("GetAP_VersionW", "wchar_t* text, int32_t chars")
    add("GetDLL_VersionW", "wchar_t* text, int32_t chars")
    add("CheckDriver", "")
    add("CheckDriverEx", "uint16_t vendor_id, uint16_t product_id")
    add("Search_Present_Device", "int32_t* count")
    add("SetActive_Device", "uint16_t vendor_id, uint16_t product_id")
    add("DumpDevices_Debug", "")
    add("Uninstall_SDK", "")
    add("Uninstall_SDK_Ex", "int32_t flags")
    add("SetListen2Device", "int32_t on")
    add("SetListen2DeviceEx", "int32_t on, int32_t mode")
    add("SetOnDeviceChangeCallback", "DLLQK_DeviceChangeCallback callback")
    add("AudioCommand", "uint8_t* block, int32_t* length")
    # audio effects
    add("GetEncOnOff", "int32_t* on")
    add("SetEncOnOff", "int32_t on")
    add("GetEnc_Scalar", "float* scale")
    add("SetEnc_Scalar", "float scale")
    add("GetEnc_Level", "int32_t* level")
    add("SetEnc_Level", "int32_t level")
    for effect in ["SoundField", "Virtual7ch1", "Echo", "Enc", "DRC", "NoiseClean"]:
        add(f"Is{effect}_Enable", "int32_t* on")
        add(f"Set{effect}_OnOff", "int32_t on")
        if effect == "Virtual7ch1":
            add("SetVirtual7ch1", "const DLLQK_Virtual7ch1Placement* placement")
            add("GetVirtual7ch1", "DLLQK_Virtual7ch1Placement* placement")
        else:
            add(f"Set{effect}", "int32_t value")
            add(f"Get{effect}", "int32_t* value")
        if effect != "SoundField":
            add(f"Set{effect}_Parameters", "const uint8_t* parameters")
            add(f"Get{effect}_Parameters", "uint8_t* parameters")
        if effect == "Virtual7ch1":
            add("SetVirtual7ch1_Scalar", "float scale")
            add("GetVirtual7ch1_Scalar", "float* scale")
    add("SetEffect_Mode", "int32_t mode")
    add("GetEffect_Mode", "int32_t* mode")
    add("SetEffect_Mode_Corvane", "int32_t mode")
    # microphone and speaker volume
    for what in ["MicMute", "MicBoost", "MicVolume"]:
        add(f"Set{what}", "int32_t value")
        add(f"Get{what}", "int32_t* value")
    add("SpeakerVolumeKey", "int32_t key")
    add("GetSpeakerMasterVolume", "int32_t* volume")
    add("SetSpeakerMasterVolume", "int32_t volume")
    add("GetSpeakerChannelVolume", "int32_t channel, int32_t* volume")
    add("SetSpeakerChannelVolume", "int32_t channel, int32_t volume")
    add("GetSpeakerMasterVolumeMute", "int32_t* mute")
    add("SetSpeakerMasterVolumeMute", "int32_t mute")
    # HID slave device
    add("UsbHidSlave_SetRegisterData_Ex", "uint16_t address, uint8_t value, int32_t timing")
    add("UsbHidSlave_GetRegisterData_Ex", "uint16_t address, uint8_t* value, int32_t timing")
    add("UsbHidSlave_WriteI2C_Ex", "uint8_t slave, uint8_t reg, const uint8_t* buffer, int32_t length, int32_t timing")
    add("UsbHidSlave_ReadI2C_Ex", "uint8_t slave, uint8_t reg, uint8_t* buffer, int32_t length, int32_t timing")
    lighting_set = [
        ("SetRGB_Color", "uint8_t led, uint8_t slot, uint8_t red, uint8_t green, uint8_t blue, int32_t timing"),
        ("SetRGB_Mode", "uint8_t led, uint8_t mode, uint8_t value, int32_t timing"),
        ("SetRGB_Brightness", "uint8_t led, uint8_t level, int32_t timing"),
        ("SetRGB_Step", "uint8_t steps, int32_t timing"),
        ("SetRGB_SingleColor", "uint8_t led, uint8_t mode, uint8_t red, uint8_t green, uint8_t blue, int32_t timing"),
        ("StoreOrClearRGB_Color", "uint8_t store, int32_t timing"),
        ("GetDataFromMCU", "uint8_t reg, uint8_t* buffer, int32_t length, int32_t timing"),
        ("SetDataToMCU", "uint8_t reg, const uint8_t* buffer, int32_t length, int32_t timing"),
    ]
    for name, params in lighting_set:
        add(f"UsbHidSlave_{name}_Ex", params)
    add("UsbHidSlave_GetFanSpeed_Ex", "uint8_t channel, int32_t* rpm, int32_t timing")
    add("UsbHidSlave_GetFanVoltage_Ex", "uint8_t channel, int32_t* millivolts, int32_t timing")
    add("UsbHidSlave_GetFanCurrent_Ex", "uint8_t channel, int32_t* milliamperes, int32_t timing")
    add("UsbHidSlave_SetFanOrMotor_Ex", "uint8_t channel, uint8_t speed, int32_t timing")
    add("UsbHidSlave_GetManufacturerID_Ex", "uint8_t* id, int32_t timing")
    add("UsbHidSlave_GetFirmwareVersion_Ex", "uint8_t* version, int32_t timing")
    # reports
    add("GetInputReportLength", "int32_t* length")
    add("GetOutputReportLength", "int32_t* length")
    add("GetReportType", "int32_t* type")
    add("SetOutputReport", "const uint8_t* report, int32_t length")
    add("GetInputReport", "uint8_t* report, int32_t length")
    # chip, buttons, GPIO, registers, I2C, EEPROM
    add("ReadChipId", "int32_t* id")
    add("ReadEfuse", "uint8_t address, uint8_t* value")
    add("SetScanTime", "int32_t milliseconds")
    add("ScanButton", "uint16_t vendor_id, uint16_t product_id, DLLQK_ButtonCallback callback, int32_t on")
    add("SetGpioMode", "uint8_t gpio, uint8_t mode")
    add("SetGpioModeEx", "uint8_t gpio, uint8_t mode")
    add("SetGpio", "uint8_t gpio, uint8_t value")
    add("GetGpio", "uint8_t gpio, uint8_t* value")
    add("Write_Register", "uint16_t address, uint8_t value")
    add("Read_Register", "uint16_t address, uint8_t* value")
    add("Write_I2C", "uint8_t slave, uint8_t reg, const uint8_t* buffer, int32_t length, int32_t timeout")
    add("Read_I2C", "uint8_t slave, uint8_t reg, uint8_t* buffer, int32_t length, int32_t timeout")
    add("WriteI2C_ByMode", "uint8_t mode, uint8_t slave, uint8_t reg, const uint8_t* buffer, int32_t length, int32_t timeout")
    add("ReadI2C_ByMode", "uint8_t mode, uint8_t slave, uint8_t reg, uint8_t* buffer, int32_t length, int32_t timeout")
    add("Write_EEPROM", "uint16_t address, const uint8_t* buffer, int32_t length")
    add("Read_EEPROM", "uint16_t address, uint8_t* buffer, int32_t length")
    # 3D and equalizer
    add("Config3D", "")
    add("Reset3D", "")
    add("Is3D_Enable", "int32_t* on")
    add("Set3D_OnOff", "int32_t on")
    add("Set3D", "int32_t value")
    add("Get3D", "int32_t* value")
    add("ConfigEQ", "")
    add("IsEQ_Enable", "int32_t* on")
    add("SetEQ_OnOff", "int32_t on")
    add("SetEQ", "int32_t band, int32_t gain")
    add("GetEQ", "int32_t band, int32_t* gain")
    add("SetEQ_DB", "int32_t band, float decibels")
    add("GetEQ_DB", "int32_t band, float* decibels")
    add("GetEQ_GainValueByDB", "float decibels, int32_t* gain")
    add("GetEQ_GainValueByGainIndex", "int32_t index, int32_t* gain")
    # lighting, microcontroller and fan
    master = [
        ("SetRGB_Color", "uint8_t address, uint8_t led, uint8_t slot, uint8_t red, uint8_t green, uint8_t blue, int32_t timing"),
        ("SetRGB_Mode", "uint8_t address, uint8_t led, uint8_t mode, uint8_t value, int32_t timing"),
        ("SetRGB_Brightness", "uint8_t address, uint8_t led, uint8_t level, int32_t timing"),
        ("SetRGB_Step", "uint8_t address, uint8_t steps, int32_t timing"),
        ("SetRGB_SingleColor", "uint8_t address, uint8_t led, uint8_t mode, uint8_t red, uint8_t green, uint8_t blue, int32_t timing"),
        ("StoreOrClearRGB_Color", "uint8_t address, uint8_t store, int32_t timing"),
        ("GetDataFromMCU", "uint8_t address, uint8_t reg, uint8_t* buffer, int32_t length, int32_t timing"),
        ("SetDataToMCU", "uint8_t address, uint8_t reg, const uint8_t* buffer, int32_t length, int32_t timing"),
        ("SetFanOrMotor", "uint8_t address, uint8_t channel, uint8_t speed, int32_t timing"),
        ("GetManufacturerID", "uint8_t address, uint8_t* id, int32_t timing"),
        ("GetFirmwareVersion", "uint8_t address, uint8_t* version, int32_t timing"),
        ("GetRGB_Color", "uint8_t address, uint8_t led, uint8_t slot, uint8_t* red, uint8_t* green, uint8_t* blue, int32_t timing"),
        ("GetRGB_Mode", "uint8_t address, uint8_t led, uint8_t* mode, uint8_t* value, int32_t timing"),
        ("GetRGB_Brightness", "uint8_t address, uint8_t led, uint8_t* level, int32_t timing"),
        ("GetRGB_Step", "uint8_t address, uint8_t* steps, int32_t timing"),
        ("GetRGB_SingleColor", "uint8_t address, uint8_t led, uint8_t mode, uint8_t* red, uint8_t* green, uint8_t* blue, int32_t timing"),
    ]
    for name, params in master:
        add(name, params)
    # the same families by device index
    def by_id(name, params):
        add(f"{name}_ById", (params + ", " if params else "") + "uint8_t index")
    by_id("ReadChipId", "int32_t* id")
    by_id("ReadEfuse", "uint8_t address, uint8_t* value")
    by_id("ScanButton", "uint16_t vendor_id, uint16_t product_id, DLLQK_ButtonCallback callback, int32_t on")
    by_id("SetGpioMode", "uint8_t gpio, uint8_t mode")
    by_id("SetGpioModeEx", "uint8_t gpio, uint8_t mode")
    by_id("GetGpioMode", "uint8_t gpio, uint8_t* mode")
    by_id("GetGpioModeEx", "uint8_t gpio, uint8_t* mode")
    by_id("SetGpio", "uint8_t gpio, uint8_t value")
    by_id("SetGpioEx", "uint16_t lines")
    by_id("GetGpio", "uint8_t gpio, uint8_t* value")
    by_id("GetGpioEx", "uint16_t* lines")
    by_id("Write_Register", "uint16_t address, uint8_t value")
    by_id("Read_Register", "uint16_t address, uint8_t* value")
    by_id("WaitI2CReady", "int32_t timeout")
    by_id("Write_I2C", "uint8_t slave, uint8_t reg, const uint8_t* buffer, int32_t length, int32_t timeout")
    by_id("Read_I2C", "uint8_t slave, uint8_t reg, uint8_t* buffer, int32_t length, int32_t timeout")
    by_id("WriteI2C_ByMode", "uint8_t mode, uint8_t slave, uint8_t reg, const uint8_t* buffer, int32_t length, int32_t timeout")
    by_id("ReadI2C_ByMode", "uint8_t mode, uint8_t slave, uint8_t reg, uint8_t* buffer, int32_t length, int32_t timeout")
    by_id("Write_EEPROM", "uint16_t address, const uint8_t* buffer, int32_t length")
    by_id("Read_EEPROM", "uint16_t address, uint8_t* buffer, int32_t length")
    by_id("Config3D", "")
    by_id("Reset3D", "")
    by_id("Is3D_Enable", "int32_t* on")
    by_id("Set3D_OnOff", "int32_t on")
    by_id("Set3D", "int32_t value")
    by_id("Get3D", "int32_t* value")
    by_id("ConfigEQ", "")
    by_id("IsEQ_Enable", "int32_t* on")
    by_id("SetEQ_OnOff", "int32_t on")
    by_id("SetEQ", "int32_t band, int32_t gain")
    by_id("GetEQ", "int32_t band, int32_t* gain")
    by_id("SetEQ_DB", "int32_t band, float decibels")
    by_id("GetEQ_DB", "int32_t band, float* decibels")
    by_id("GetEQ_CurrentBank", "int32_t* bank")
    for name, params in master:
        by_id(name, params)
    # PWM lighting by device index
    pwm = ["SetConfig", "GetConfig", "SetSpeedUnit", "GetSpeedUnit", "SetLED_ButtonMode", "GetLED_ButtonMode"]
    for group in ["BREATHING", "RGB"]:
        if group == "RGB":
            pwm += ["SetRGB_ButtonMode", "GetRGB_ButtonMode", "SetRGB_Period", "GetRGB_Period",
                    "SetRGB_Brightness", "GetRGB_Brightness"]
        else:
            pwm += ["SetBREATHING_ButtonMode", "GetBREATHING_ButtonMode", "SetBREATHING_Duty", "GetBREATHING_Duty"]
        for what in ["Cycle", "Speed", "PinOutActiveMode", "DataMode", "OnActionMode", "OffActionMode", "ActionMode"]:
            pwm += [f"Set{group}_{what}", f"Get{group}_{what}"]
    pwm += ["SetRGB_OnColorMode", "GetRGB_OnColorMode", "SetRGB_OffColorMode", "GetRGB_OffColorMode",
            "SetRGB_ColorMode", "GetRGB_ColorMode", "SetRGB_OnColorSelect", "GetRGB_OnColorSelect",
            "SetRGB_OffColorSelect", "GetRGB_OffColorSelect", "SetRGB_ColorSelect", "GetRGB_ColorSelect"]
    for name in pwm:
        if name.startswith("Set"):
            by_id(f"PWM_{name}", "uint8_t channel, uint8_t value")
        else:
            by_id(f"PWM_{name}", "uint8_t channel, uint8_t* value")
    by_id("PWM_SetRGB_Color", "uint8_t channel, uint8_t red, uint8_t green, uint8_t blue")
    by_id("PWM_GetRGB_Color", "uint8_t channel, uint8_t* red, uint8_t* green, uint8_t* blue")
    return [("DLLQK_" + n, p) for n, p in rows]


HEADER = r'''/* The device library of the 77xx audio controller, as the program binds it
 * at run time (generated by tools/entries/GenerateEntries.py; edit the table there).
 *
 * Every entry returns a signed 32-bit result: 0 when done, anything else is a
 * failure that callers log and never interpret. In the _ById entries the last
 * argument is the device index; the program passes 0. */
#ifndef DLLQK_USBAUDIO77XX_H
#define DLLQK_USBAUDIO77XX_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(DLLQK_BUILDING_LIBRARY)
#define DLLQK_API __attribute__((visibility("default")))
#else
#define DLLQK_API
#endif

/* Results of this implementation of the library. */
#define DLLQK_DONE 0
#define DLLQK_BAD_ARGUMENT (-1)
#define DLLQK_NO_DEVICE (-2)
#define DLLQK_DEVICE_FAILURE (-3)
#define DLLQK_NOT_READY (-4)
/* The entry does nothing on this platform (the hardware library of Linux);
 * its out-values are 0. */
#define DLLQK_NOT_SUPPORTED (-5)

/* The generic command block of DLLQK_AudioCommand: byte 0 command group, byte 1
 * sub-command, payload from byte 2; a reply comes back from byte 2, its second
 * part from byte 134. The length argument points at this size. */
#define DLLQK_AUDIO_COMMAND_LENGTH 234
#define DLLQK_AUDIO_COMMAND_PAYLOAD 2
#define DLLQK_AUDIO_COMMAND_SECOND_REPLY 134
#define DLLQK_ENC_PARAMETERS_LENGTH 16
#define DLLQK_BUTTON_REPORT_LENGTH 5

/* Speaker placement of DLLQK_SetVirtual7ch1: 68 bytes, little-endian. */
typedef struct DLLQK_Virtual7ch1Placement {
  int32_t enable;
  float distance[8];
  float angle[8];
} DLLQK_Virtual7ch1Placement;

/* Called on a thread of the library for each button report of 5 bytes. */
typedef int32_t (*DLLQK_ButtonCallback)(uint16_t vendor_id, uint16_t product_id, const uint8_t* report,
                                        int32_t reserved1, int32_t reserved2);
typedef int32_t (*DLLQK_DeviceChangeCallback)(int32_t arrived, uint16_t vendor_id, uint16_t product_id);

@PROTOTYPES@

@TYPEDEFS@

/* Every entry in the order of the binding table. */
#define DLLQK_ENTRY_LIST(X) \
@ENTRY_LIST@

#ifdef __cplusplus
}
static_assert(sizeof(DLLQK_Virtual7ch1Placement) == 68, "the placement block is 68 bytes");
#endif

#endif /* DLLQK_USBAUDIO77XX_H */
'''

SOURCE = r'''// Entries of the device library that only check their arguments, clear what
// they return and answer 0 (generated by tools/entries/GenerateEntries.py).
#include <algorithm>

#include "sim/dllqk/EntryTrace.h"

using namespace audio77::sim;
using namespace audio77::sim::dllqk;

extern "C" {

@ENTRIES@
}  // extern "C"
'''

HAND_WRITTEN = set("""
DLLQK_GetAP_VersionW DLLQK_GetDLL_VersionW DLLQK_CheckDriver DLLQK_CheckDriverEx DLLQK_Search_Present_Device
DLLQK_SetActive_Device DLLQK_AudioCommand
DLLQK_IsVirtual7ch1_Enable DLLQK_SetVirtual7ch1_OnOff DLLQK_SetVirtual7ch1 DLLQK_GetVirtual7ch1
DLLQK_SetVirtual7ch1_Scalar DLLQK_GetVirtual7ch1_Scalar DLLQK_SetEnc_Parameters DLLQK_GetEnc_Parameters
DLLQK_GetInputReportLength DLLQK_GetOutputReportLength
DLLQK_Write_Register DLLQK_Read_Register DLLQK_Write_Register_ById DLLQK_Read_Register_ById
DLLQK_Write_I2C DLLQK_Read_I2C DLLQK_Write_I2C_ById DLLQK_Read_I2C_ById
DLLQK_SetGpioModeEx DLLQK_SetGpioModeEx_ById DLLQK_SetGpio DLLQK_GetGpio DLLQK_SetGpio_ById DLLQK_GetGpio_ById
DLLQK_GetGpioModeEx_ById DLLQK_SetGpioEx_ById DLLQK_GetGpioEx_ById
DLLQK_Read_EEPROM DLLQK_Write_EEPROM DLLQK_Read_EEPROM_ById DLLQK_Write_EEPROM_ById DLLQK_GetEQ_CurrentBank_ById
DLLQK_ScanButton DLLQK_ScanButton_ById
DLLQK_ConfigEQ DLLQK_IsEQ_Enable DLLQK_SetEQ_OnOff DLLQK_ConfigEQ_ById DLLQK_IsEQ_Enable_ById DLLQK_SetEQ_OnOff_ById
DLLQK_Config3D DLLQK_Reset3D DLLQK_Is3D_Enable DLLQK_Set3D_OnOff
DLLQK_Config3D_ById DLLQK_Reset3D_ById DLLQK_Is3D_Enable_ById DLLQK_Set3D_OnOff_ById
DLLQK_SetRGB_Color DLLQK_SetRGB_Mode DLLQK_SetRGB_Brightness DLLQK_SetRGB_Step DLLQK_SetRGB_SingleColor
DLLQK_UsbHidSlave_SetRGB_Color_Ex DLLQK_UsbHidSlave_SetRGB_Mode_Ex DLLQK_UsbHidSlave_SetRGB_Brightness_Ex
DLLQK_UsbHidSlave_SetRGB_Step_Ex DLLQK_UsbHidSlave_SetRGB_SingleColor_Ex
DLLQK_SetRGB_Color_ById DLLQK_SetRGB_Mode_ById DLLQK_SetRGB_Brightness_ById DLLQK_SetRGB_Step_ById
DLLQK_SetRGB_SingleColor_ById
DLLQK_SetGpioMode DLLQK_SetGpioMode_ById DLLQK_GetGpioMode_ById
DLLQK_WriteI2C_ByMode DLLQK_ReadI2C_ByMode DLLQK_WriteI2C_ByMode_ById DLLQK_ReadI2C_ByMode_ById
DLLQK_GetRGB_Color DLLQK_GetRGB_Mode DLLQK_GetRGB_Brightness DLLQK_GetRGB_Step DLLQK_GetRGB_SingleColor
DLLQK_GetRGB_Color_ById DLLQK_GetRGB_Mode_ById DLLQK_GetRGB_Brightness_ById DLLQK_GetRGB_Step_ById
DLLQK_GetRGB_SingleColor_ById
DLLQK_GetDataFromMCU DLLQK_SetDataToMCU DLLQK_GetDataFromMCU_ById DLLQK_SetDataToMCU_ById
DLLQK_UsbHidSlave_GetDataFromMCU_Ex DLLQK_UsbHidSlave_SetDataToMCU_Ex
DLLQK_UsbHidSlave_SetRegisterData_Ex DLLQK_UsbHidSlave_GetRegisterData_Ex
""".split())

# Entries that do not talk to the device.
NO_DEVICE = {"DLLQK_DumpDevices_Debug", "DLLQK_Uninstall_SDK", "DLLQK_Uninstall_SDK_Ex",
             "DLLQK_SetOnDeviceChangeCallback", "DLLQK_GetEQ_GainValueByDB", "DLLQK_GetEQ_GainValueByGainIndex"}

# Fixed sizes of blocks passed by pointer without a length.
BLOCK_SIZES = {"parameters": 16, "placement": 68}

def split_params(params):
    if not params:
        return []
    out = []
    for part in params.split(", "):
        ctype, name = part.rsplit(" ", 1)
        if name.startswith("*"):
            ctype += "*"
            name = name[1:]
        out.append((ctype.strip(), name))
    return out

def arg_text(params, i):
    """C++ expression that describes parameter i in the trace."""
    ctype, name = params[i]
    nxt = params[i + 1][1] if i + 1 < len(params) else ""
    if ctype in ("int32_t", "uint16_t"):
        return f"Int({name})"
    if ctype == "uint8_t":
        return f"Byte({name})"
    if ctype == "float":
        return f"Float({name})"
    if ctype in ("DLLQK_ButtonCallback", "DLLQK_DeviceChangeCallback"):
        return f"Pointer(reinterpret_cast<const void*>({name}))"
    if ctype == "wchar_t*":
        return f"Wide({name}, chars)"
    if ctype in ("uint8_t*", "const uint8_t*") and nxt == "length":
        return f"Buffer({name}, length)"
    if ctype in ("uint8_t*", "const uint8_t*") and name in BLOCK_SIZES:
        return f"Buffer({name}, {BLOCK_SIZES[name]})"
    if ctype.endswith("DLLQK_Virtual7ch1Placement*"):
        return f"Buffer(reinterpret_cast<const uint8_t*>({name}), {BLOCK_SIZES['placement']})"
    if ctype == "uint8_t*":
        return f"OutByte({name})"
    if ctype == "uint16_t*":
        return f"OutInt({name})"
    if ctype == "int32_t*":
        return f"OutInt({name})"
    if ctype == "float*":
        return f"OutFloat({name})"
    raise SystemExit(f"no trace form for {ctype} {name}")

def generic_body(name, params):
    checks, clears = [], []
    for i, (ctype, pname) in enumerate(params):
        if ctype.endswith("*") or ctype.endswith("Callback"):
            if not ctype.endswith("Callback"):
                checks.append(f"{pname} == nullptr")
        nxt = params[i + 1][1] if i + 1 < len(params) else ""
        if ctype == "uint8_t*" and nxt == "length":
            clears.append(f"std::fill_n({pname}, length, uint8_t{{0}});")
        elif ctype == "uint8_t*" and pname in BLOCK_SIZES:
            clears.append(f"std::fill_n({pname}, {BLOCK_SIZES[pname]}, uint8_t{{0}});")
        elif ctype == "wchar_t*":
            clears.append(f"{pname}[0] = L'\\0';")
        elif ctype.endswith("DLLQK_Virtual7ch1Placement*") and not ctype.startswith("const"):
            clears.append(f"*{pname} = DLLQK_Virtual7ch1Placement{{}};")
        elif ctype.endswith("*") and not ctype.startswith("const"):
            clears.append(f"*{pname} = 0;")
    names = [p for _, p in params]
    if "length" in names:
        checks.append("length < 0 || length > kMaxTransfer")
    if "chars" in names:
        checks.append("chars <= 0")
    if "index" in names:
        checks.append("!IsDeviceIndex(index)")
    condition = " || ".join(checks)
    lines = []
    if condition:
        lines.append(f"      if ({condition}) return DLLQK_BAD_ARGUMENT;")
    lines += ["      " + c for c in clears]
    lines.append("      return DLLQK_DONE;")
    return "\n".join(lines)

# Entries that the hardware library carries out over the device's HID interface.
HARDWARE = set("""
DLLQK_SetActive_Device DLLQK_AudioCommand DLLQK_GetInputReportLength DLLQK_GetOutputReportLength
DLLQK_Write_Register DLLQK_Read_Register DLLQK_Write_Register_ById DLLQK_Read_Register_ById
DLLQK_SetGpioModeEx DLLQK_SetGpioModeEx_ById DLLQK_SetGpio DLLQK_GetGpio DLLQK_SetGpio_ById DLLQK_GetGpio_ById
DLLQK_SetGpioEx_ById DLLQK_GetGpioEx_ById DLLQK_ScanButton DLLQK_ScanButton_ById
""".split())

HARDWARE_SOURCE = r'''// Entries of the hardware library that are not supported on this platform
// (generated by tools/entries/GenerateEntries.py). How the device carries them
// out is not known, so each one clears what it returns and answers
// DLLQK_NOT_SUPPORTED rather than reporting work that was not done.
#include <algorithm>

#include "hwlib/EntryLimits.h"

extern "C" {

@ENTRIES@
}  // extern "C"
'''

def unsupported_body(params):
    lines, used = [], set()
    for i, (ctype, pname) in enumerate(params):
        nxt = params[i + 1][1] if i + 1 < len(params) else ""
        if ctype == "uint8_t*" and nxt == "length":
            lines.append(f"if ({pname} != nullptr && length > 0 && length <= audio77::hwlib::kMaxTransfer) "
                         f"std::fill_n({pname}, length, uint8_t{{0}});")
            used.update([pname, "length"])
        elif ctype == "uint8_t*" and pname in BLOCK_SIZES:
            lines.append(f"if ({pname} != nullptr) std::fill_n({pname}, {BLOCK_SIZES[pname]}, uint8_t{{0}});")
            used.add(pname)
        elif ctype == "wchar_t*":
            lines.append(f"if ({pname} != nullptr && chars > 0) {pname}[0] = L'\\0';")
            used.update([pname, "chars"])
        elif ctype.endswith("DLLQK_Virtual7ch1Placement*") and not ctype.startswith("const"):
            lines.append(f"if ({pname} != nullptr) *{pname} = DLLQK_Virtual7ch1Placement{{}};")
            used.add(pname)
        elif ctype.endswith("*") and not ctype.startswith("const"):
            lines.append(f"if ({pname} != nullptr) *{pname} = 0;")
            used.add(pname)
    unused = [f"static_cast<void>({pname});" for _, pname in params if pname not in used]
    lines = unused + lines
    lines.append("return DLLQK_NOT_SUPPORTED;")
    return "\n".join("  " + line for line in lines)

def write_hardware_entries(rows):
    bodies = []
    for name, params in rows:
        if name in HARDWARE:
            continue
        plist = params if params else "void"
        bodies.append(f"DLLQK_API int32_t {name}({plist}) {{\n{unsupported_body(split_params(params))}\n}}\n")
    source = HARDWARE_SOURCE.replace("@ENTRIES@", "\n".join(bodies))
    (ROOT / "src/hwlib/UnsupportedEntries.cpp").write_text(source)

def main():
    rows = entries()
    assert len(rows) == 249, len(rows)
    assert len({n for n, _ in rows}) == 249
    missing = HAND_WRITTEN - {n for n, _ in rows}
    assert not missing, missing

    decls, typedefs, names = [], [], []
    for name, params in rows:
        plist = params if params else "void"
        decls.append(f"DLLQK_API int32_t {name}({plist});")
        typedefs.append(f"typedef int32_t (*{name}_Fn)({plist});")
        names.append(f"  X({name})")
    header = HEADER
    header = header.replace("@PROTOTYPES@", "\n".join(decls))
    header = header.replace("@TYPEDEFS@", "\n".join(typedefs))
    header = header.replace("@ENTRY_LIST@", " \\\n".join(names))
    (ROOT / "src/device/DLLQK_UsbAudio77xx.h").write_text(header)

    bodies = []
    for name, params in rows:
        if name in HAND_WRITTEN:
            continue
        ps = split_params(params)
        plist = params if params else "void"
        described = " + \" \" + ".join(arg_text(ps, i) for i in range(len(ps))) or "std::string()"
        needs = "false" if name in NO_DEVICE else "true"
        bodies.append(
            f"DLLQK_API int32_t {name}({plist}) {{\n"
            f"  return Run(\"{name}\", {needs}, [&](DeviceState&) -> int32_t {{\n"
            f"{generic_body(name, ps)}\n"
            f"    }}, [&] {{ return {described}; }});\n"
            f"}}\n")
    source = SOURCE.replace("@ENTRIES@", "\n".join(bodies))
    (ROOT / "sim/dllqk/GenericEntries.cpp").write_text(source)
    assert not HARDWARE - {n for n, _ in rows}
    write_hardware_entries(rows)

if __name__ == "__main__":
    main()
