// The platform's remote desktop control as far as this program uses it. MinGW ships no
// header for it, so every method up to the last one used is declared here in table order:
// one missing or extra entry would shift every later slot (the trailing number is the slot).
#pragma once

#include <ole2.h>
#include <windows.h>

namespace orvanta::rdp {

// {A9D7038D-B5ED-472E-9C47-94BEA90A5910}
inline constexpr CLSID CLSID_MsRdpClient7 = {
    0xA9D7038D, 0xB5ED, 0x472E, {0x9C, 0x47, 0x94, 0xBE, 0xA9, 0x0A, 0x59, 0x10}};
// {B2A5B5CE-3461-444A-91D4-ADD26D070638}
inline constexpr IID IID_IMsRdpClient7 = {
    0xB2A5B5CE, 0x3461, 0x444A, {0x91, 0xD4, 0xAD, 0xD2, 0x6D, 0x07, 0x06, 0x38}};
// {3C65B4AB-12B3-465B-ACD4-B8DAD3BFF9E2}
inline constexpr IID IID_IMsRdpClientAdvancedSettings = {
    0x3C65B4AB, 0x12B3, 0x465B, {0xAC, 0xD4, 0xB8, 0xDA, 0xD3, 0xBF, 0xF9, 0xE2}};
// {336D5562-EFA8-482E-8CB3-C5C0FC7A7DB6}
inline constexpr IID DIID_IMsTscAxEvents = {
    0x336D5562, 0xEFA8, 0x482E, {0x8C, 0xB3, 0xC5, 0xC0, 0xFC, 0x7A, 0x7D, 0xB6}};

// IMsTscAdvancedSettings (7-20) and IMsRdpClientAdvancedSettings (21-137).
struct IMsRdpClientAdvancedSettings : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE put_Compress(long) = 0;                         // 7
  virtual HRESULT STDMETHODCALLTYPE get_Compress(long*) = 0;                        // 8
  virtual HRESULT STDMETHODCALLTYPE put_BitmapPeristence(long) = 0;                 // 9
  virtual HRESULT STDMETHODCALLTYPE get_BitmapPeristence(long*) = 0;                // 10
  virtual HRESULT STDMETHODCALLTYPE put_allowBackgroundInput(long) = 0;             // 11
  virtual HRESULT STDMETHODCALLTYPE get_allowBackgroundInput(long*) = 0;            // 12
  virtual HRESULT STDMETHODCALLTYPE put_KeyBoardLayoutStr(BSTR) = 0;                // 13
  virtual HRESULT STDMETHODCALLTYPE put_PluginDlls(BSTR) = 0;                       // 14
  virtual HRESULT STDMETHODCALLTYPE put_IconFile(BSTR) = 0;                         // 15
  virtual HRESULT STDMETHODCALLTYPE put_IconIndex(long) = 0;                        // 16
  virtual HRESULT STDMETHODCALLTYPE put_ContainerHandledFullScreen(long) = 0;       // 17
  virtual HRESULT STDMETHODCALLTYPE get_ContainerHandledFullScreen(long*) = 0;      // 18
  virtual HRESULT STDMETHODCALLTYPE put_DisableRdpdr(long) = 0;                     // 19
  virtual HRESULT STDMETHODCALLTYPE get_DisableRdpdr(long*) = 0;                    // 20
  virtual HRESULT STDMETHODCALLTYPE put_SmoothScroll(long) = 0;                     // 21
  virtual HRESULT STDMETHODCALLTYPE get_SmoothScroll(long*) = 0;                    // 22
  virtual HRESULT STDMETHODCALLTYPE put_AcceleratorPassthrough(long) = 0;           // 23
  virtual HRESULT STDMETHODCALLTYPE get_AcceleratorPassthrough(long*) = 0;          // 24
  virtual HRESULT STDMETHODCALLTYPE put_ShadowBitmap(long) = 0;                     // 25
  virtual HRESULT STDMETHODCALLTYPE get_ShadowBitmap(long*) = 0;                    // 26
  virtual HRESULT STDMETHODCALLTYPE put_TransportType(long) = 0;                    // 27
  virtual HRESULT STDMETHODCALLTYPE get_TransportType(long*) = 0;                   // 28
  virtual HRESULT STDMETHODCALLTYPE put_SasSequence(long) = 0;                      // 29
  virtual HRESULT STDMETHODCALLTYPE get_SasSequence(long*) = 0;                     // 30
  virtual HRESULT STDMETHODCALLTYPE put_EncryptionEnabled(long) = 0;                // 31
  virtual HRESULT STDMETHODCALLTYPE get_EncryptionEnabled(long*) = 0;               // 32
  virtual HRESULT STDMETHODCALLTYPE put_DedicatedTerminal(long) = 0;                // 33
  virtual HRESULT STDMETHODCALLTYPE get_DedicatedTerminal(long*) = 0;               // 34
  virtual HRESULT STDMETHODCALLTYPE put_RDPPort(long) = 0;                          // 35
  virtual HRESULT STDMETHODCALLTYPE get_RDPPort(long*) = 0;                         // 36
  virtual HRESULT STDMETHODCALLTYPE put_EnableMouse(long) = 0;                      // 37
  virtual HRESULT STDMETHODCALLTYPE get_EnableMouse(long*) = 0;                     // 38
  virtual HRESULT STDMETHODCALLTYPE put_DisableCtrlAltDel(long) = 0;                // 39
  virtual HRESULT STDMETHODCALLTYPE get_DisableCtrlAltDel(long*) = 0;               // 40
  virtual HRESULT STDMETHODCALLTYPE put_EnableWindowsKey(long) = 0;                 // 41
  virtual HRESULT STDMETHODCALLTYPE get_EnableWindowsKey(long*) = 0;                // 42
  virtual HRESULT STDMETHODCALLTYPE put_DoubleClickDetect(long) = 0;                // 43
  virtual HRESULT STDMETHODCALLTYPE get_DoubleClickDetect(long*) = 0;               // 44
  virtual HRESULT STDMETHODCALLTYPE put_MaximizeShell(long) = 0;                    // 45
  virtual HRESULT STDMETHODCALLTYPE get_MaximizeShell(long*) = 0;                   // 46
  virtual HRESULT STDMETHODCALLTYPE put_HotKeyFullScreen(long) = 0;                 // 47
  virtual HRESULT STDMETHODCALLTYPE get_HotKeyFullScreen(long*) = 0;                // 48
  virtual HRESULT STDMETHODCALLTYPE put_HotKeyCtrlEsc(long) = 0;                    // 49
  virtual HRESULT STDMETHODCALLTYPE get_HotKeyCtrlEsc(long*) = 0;                   // 50
  virtual HRESULT STDMETHODCALLTYPE put_HotKeyAltEsc(long) = 0;                     // 51
  virtual HRESULT STDMETHODCALLTYPE get_HotKeyAltEsc(long*) = 0;                    // 52
  virtual HRESULT STDMETHODCALLTYPE put_HotKeyAltTab(long) = 0;                     // 53
  virtual HRESULT STDMETHODCALLTYPE get_HotKeyAltTab(long*) = 0;                    // 54
  virtual HRESULT STDMETHODCALLTYPE put_HotKeyAltShiftTab(long) = 0;                // 55
  virtual HRESULT STDMETHODCALLTYPE get_HotKeyAltShiftTab(long*) = 0;               // 56
  virtual HRESULT STDMETHODCALLTYPE put_HotKeyAltSpace(long) = 0;                   // 57
  virtual HRESULT STDMETHODCALLTYPE get_HotKeyAltSpace(long*) = 0;                  // 58
  virtual HRESULT STDMETHODCALLTYPE put_HotKeyCtrlAltDel(long) = 0;                 // 59
  virtual HRESULT STDMETHODCALLTYPE get_HotKeyCtrlAltDel(long*) = 0;                // 60
  virtual HRESULT STDMETHODCALLTYPE put_orderDrawThreshold(long) = 0;               // 61
  virtual HRESULT STDMETHODCALLTYPE get_orderDrawThreshold(long*) = 0;              // 62
  virtual HRESULT STDMETHODCALLTYPE put_BitmapCacheSize(long) = 0;                  // 63
  virtual HRESULT STDMETHODCALLTYPE get_BitmapCacheSize(long*) = 0;                 // 64
  virtual HRESULT STDMETHODCALLTYPE put_BitmapVirtualCacheSize(long) = 0;           // 65
  virtual HRESULT STDMETHODCALLTYPE get_BitmapVirtualCacheSize(long*) = 0;          // 66
  virtual HRESULT STDMETHODCALLTYPE put_ScaleBitmapCachesByBPP(long) = 0;           // 67
  virtual HRESULT STDMETHODCALLTYPE get_ScaleBitmapCachesByBPP(long*) = 0;          // 68
  virtual HRESULT STDMETHODCALLTYPE put_NumBitmapCaches(long) = 0;                  // 69
  virtual HRESULT STDMETHODCALLTYPE get_NumBitmapCaches(long*) = 0;                 // 70
  virtual HRESULT STDMETHODCALLTYPE put_CachePersistenceActive(long) = 0;           // 71
  virtual HRESULT STDMETHODCALLTYPE get_CachePersistenceActive(long*) = 0;          // 72
  virtual HRESULT STDMETHODCALLTYPE put_PersistCacheDirectory(BSTR) = 0;            // 73
  virtual HRESULT STDMETHODCALLTYPE put_brushSupportLevel(long) = 0;                // 74
  virtual HRESULT STDMETHODCALLTYPE get_brushSupportLevel(long*) = 0;               // 75
  virtual HRESULT STDMETHODCALLTYPE put_minInputSendInterval(long) = 0;             // 76
  virtual HRESULT STDMETHODCALLTYPE get_minInputSendInterval(long*) = 0;            // 77
  virtual HRESULT STDMETHODCALLTYPE put_InputEventsAtOnce(long) = 0;                // 78
  virtual HRESULT STDMETHODCALLTYPE get_InputEventsAtOnce(long*) = 0;               // 79
  virtual HRESULT STDMETHODCALLTYPE put_maxEventCount(long) = 0;                    // 80
  virtual HRESULT STDMETHODCALLTYPE get_maxEventCount(long*) = 0;                   // 81
  virtual HRESULT STDMETHODCALLTYPE put_keepAliveInterval(long) = 0;                // 82
  virtual HRESULT STDMETHODCALLTYPE get_keepAliveInterval(long*) = 0;               // 83
  virtual HRESULT STDMETHODCALLTYPE put_shutdownTimeout(long) = 0;                  // 84
  virtual HRESULT STDMETHODCALLTYPE get_shutdownTimeout(long*) = 0;                 // 85
  virtual HRESULT STDMETHODCALLTYPE put_overallConnectionTimeout(long) = 0;         // 86
  virtual HRESULT STDMETHODCALLTYPE get_overallConnectionTimeout(long*) = 0;        // 87
  virtual HRESULT STDMETHODCALLTYPE put_singleConnectionTimeout(long) = 0;          // 88
  virtual HRESULT STDMETHODCALLTYPE get_singleConnectionTimeout(long*) = 0;         // 89
  virtual HRESULT STDMETHODCALLTYPE put_KeyboardType(long) = 0;                     // 90
  virtual HRESULT STDMETHODCALLTYPE get_KeyboardType(long*) = 0;                    // 91
  virtual HRESULT STDMETHODCALLTYPE put_KeyboardSubType(long) = 0;                  // 92
  virtual HRESULT STDMETHODCALLTYPE get_KeyboardSubType(long*) = 0;                 // 93
  virtual HRESULT STDMETHODCALLTYPE put_KeyboardFunctionKey(long) = 0;              // 94
  virtual HRESULT STDMETHODCALLTYPE get_KeyboardFunctionKey(long*) = 0;             // 95
  virtual HRESULT STDMETHODCALLTYPE put_WinceFixedPalette(long) = 0;                // 96
  virtual HRESULT STDMETHODCALLTYPE get_WinceFixedPalette(long*) = 0;               // 97
  virtual HRESULT STDMETHODCALLTYPE put_ConnectToServerConsole(VARIANT_BOOL) = 0;   // 98
  virtual HRESULT STDMETHODCALLTYPE get_ConnectToServerConsole(VARIANT_BOOL*) = 0;  // 99
  virtual HRESULT STDMETHODCALLTYPE put_BitmapPersistence(long) = 0;                // 100
  virtual HRESULT STDMETHODCALLTYPE get_BitmapPersistence(long*) = 0;               // 101
  virtual HRESULT STDMETHODCALLTYPE put_MinutesToIdleTimeout(long) = 0;             // 102
  virtual HRESULT STDMETHODCALLTYPE get_MinutesToIdleTimeout(long*) = 0;            // 103
  virtual HRESULT STDMETHODCALLTYPE put_SmartSizing(VARIANT_BOOL) = 0;              // 104
  virtual HRESULT STDMETHODCALLTYPE get_SmartSizing(VARIANT_BOOL*) = 0;             // 105
  virtual HRESULT STDMETHODCALLTYPE put_RdpdrLocalPrintingDocName(BSTR) = 0;        // 106
  virtual HRESULT STDMETHODCALLTYPE get_RdpdrLocalPrintingDocName(BSTR*) = 0;       // 107
  virtual HRESULT STDMETHODCALLTYPE put_RdpdrClipCleanTempDirString(BSTR) = 0;      // 108
  virtual HRESULT STDMETHODCALLTYPE get_RdpdrClipCleanTempDirString(BSTR*) = 0;     // 109
  virtual HRESULT STDMETHODCALLTYPE put_RdpdrClipPasteInfoString(BSTR) = 0;         // 110
  virtual HRESULT STDMETHODCALLTYPE get_RdpdrClipPasteInfoString(BSTR*) = 0;        // 111
  virtual HRESULT STDMETHODCALLTYPE put_ClearTextPassword(BSTR) = 0;                // 112
  virtual HRESULT STDMETHODCALLTYPE put_DisplayConnectionBar(VARIANT_BOOL) = 0;     // 113
  virtual HRESULT STDMETHODCALLTYPE get_DisplayConnectionBar(VARIANT_BOOL*) = 0;    // 114
  virtual HRESULT STDMETHODCALLTYPE put_PinConnectionBar(VARIANT_BOOL) = 0;         // 115
  virtual HRESULT STDMETHODCALLTYPE get_PinConnectionBar(VARIANT_BOOL*) = 0;        // 116
  virtual HRESULT STDMETHODCALLTYPE put_GrabFocusOnConnect(VARIANT_BOOL) = 0;       // 117
  virtual HRESULT STDMETHODCALLTYPE get_GrabFocusOnConnect(VARIANT_BOOL*) = 0;      // 118
  virtual HRESULT STDMETHODCALLTYPE put_LoadBalanceInfo(BSTR) = 0;                  // 119
  virtual HRESULT STDMETHODCALLTYPE get_LoadBalanceInfo(BSTR*) = 0;                 // 120
  virtual HRESULT STDMETHODCALLTYPE put_RedirectDrives(VARIANT_BOOL) = 0;           // 121
  virtual HRESULT STDMETHODCALLTYPE get_RedirectDrives(VARIANT_BOOL*) = 0;          // 122
  virtual HRESULT STDMETHODCALLTYPE put_RedirectPrinters(VARIANT_BOOL) = 0;         // 123
  virtual HRESULT STDMETHODCALLTYPE get_RedirectPrinters(VARIANT_BOOL*) = 0;        // 124
  virtual HRESULT STDMETHODCALLTYPE put_RedirectPorts(VARIANT_BOOL) = 0;            // 125
  virtual HRESULT STDMETHODCALLTYPE get_RedirectPorts(VARIANT_BOOL*) = 0;           // 126
  virtual HRESULT STDMETHODCALLTYPE put_RedirectSmartCards(VARIANT_BOOL) = 0;       // 127
  virtual HRESULT STDMETHODCALLTYPE get_RedirectSmartCards(VARIANT_BOOL*) = 0;      // 128
  virtual HRESULT STDMETHODCALLTYPE put_BitmapVirtualCache16BppSize(long) = 0;      // 129
  virtual HRESULT STDMETHODCALLTYPE get_BitmapVirtualCache16BppSize(long*) = 0;     // 130
  virtual HRESULT STDMETHODCALLTYPE put_BitmapVirtualCache24BppSize(long) = 0;      // 131
  virtual HRESULT STDMETHODCALLTYPE get_BitmapVirtualCache24BppSize(long*) = 0;     // 132
  virtual HRESULT STDMETHODCALLTYPE put_PerformanceFlags(long) = 0;                 // 133
  virtual HRESULT STDMETHODCALLTYPE get_PerformanceFlags(long*) = 0;                // 134
  virtual HRESULT STDMETHODCALLTYPE put_ConnectWithEndpoint(VARIANT*) = 0;          // 135
  virtual HRESULT STDMETHODCALLTYPE put_NotifyTSPublicKey(VARIANT_BOOL) = 0;        // 136
  virtual HRESULT STDMETHODCALLTYPE get_NotifyTSPublicKey(VARIANT_BOOL*) = 0;       // 137
};

// IMsTscAx_Redist adds nothing; IMsTscAx (7-35), IMsRdpClient (36-43), IMsRdpClient2 (44-48),
// IMsRdpClient3 (49), IMsRdpClient4 (50), IMsRdpClient5 (51-56), IMsRdpClient6 (57-58),
// IMsRdpClient7 (59-63).
struct IMsRdpClient7 : IDispatch {
  virtual HRESULT STDMETHODCALLTYPE put_Server(BSTR) = 0;                       // 7
  virtual HRESULT STDMETHODCALLTYPE get_Server(BSTR*) = 0;                      // 8
  virtual HRESULT STDMETHODCALLTYPE put_Domain(BSTR) = 0;                       // 9
  virtual HRESULT STDMETHODCALLTYPE get_Domain(BSTR*) = 0;                      // 10
  virtual HRESULT STDMETHODCALLTYPE put_UserName(BSTR) = 0;                     // 11
  virtual HRESULT STDMETHODCALLTYPE get_UserName(BSTR*) = 0;                    // 12
  virtual HRESULT STDMETHODCALLTYPE put_DisconnectedText(BSTR) = 0;             // 13
  virtual HRESULT STDMETHODCALLTYPE get_DisconnectedText(BSTR*) = 0;            // 14
  virtual HRESULT STDMETHODCALLTYPE put_ConnectingText(BSTR) = 0;               // 15
  virtual HRESULT STDMETHODCALLTYPE get_ConnectingText(BSTR*) = 0;              // 16
  virtual HRESULT STDMETHODCALLTYPE get_Connected(short*) = 0;                  // 17
  virtual HRESULT STDMETHODCALLTYPE put_DesktopWidth(long) = 0;                 // 18
  virtual HRESULT STDMETHODCALLTYPE get_DesktopWidth(long*) = 0;                // 19
  virtual HRESULT STDMETHODCALLTYPE put_DesktopHeight(long) = 0;                // 20
  virtual HRESULT STDMETHODCALLTYPE get_DesktopHeight(long*) = 0;               // 21
  virtual HRESULT STDMETHODCALLTYPE put_StartConnected(long) = 0;               // 22
  virtual HRESULT STDMETHODCALLTYPE get_StartConnected(long*) = 0;              // 23
  virtual HRESULT STDMETHODCALLTYPE get_HorizontalScrollBarVisible(long*) = 0;  // 24
  virtual HRESULT STDMETHODCALLTYPE get_VerticalScrollBarVisible(long*) = 0;    // 25
  virtual HRESULT STDMETHODCALLTYPE put_FullScreenTitle(BSTR) = 0;              // 26
  virtual HRESULT STDMETHODCALLTYPE get_CipherStrength(long*) = 0;              // 27
  virtual HRESULT STDMETHODCALLTYPE get_Version(BSTR*) = 0;                     // 28
  virtual HRESULT STDMETHODCALLTYPE get_SecuredSettingsEnabled(long*) = 0;      // 29
  virtual HRESULT STDMETHODCALLTYPE get_SecuredSettings(IDispatch**) = 0;       // 30
  virtual HRESULT STDMETHODCALLTYPE get_AdvancedSettings(IDispatch**) = 0;      // 31
  virtual HRESULT STDMETHODCALLTYPE get_Debugger(IDispatch**) = 0;              // 32
  virtual HRESULT STDMETHODCALLTYPE Connect() = 0;                              // 33
  virtual HRESULT STDMETHODCALLTYPE Disconnect() = 0;                           // 34
  virtual HRESULT STDMETHODCALLTYPE CreateVirtualChannels(BSTR) = 0;            // 35
  virtual HRESULT STDMETHODCALLTYPE SendOnVirtualChannel(BSTR, BSTR) = 0;       // 36
  virtual HRESULT STDMETHODCALLTYPE put_ColorDepth(long) = 0;                   // 37
  virtual HRESULT STDMETHODCALLTYPE get_ColorDepth(long*) = 0;                  // 38
  virtual HRESULT STDMETHODCALLTYPE
  get_AdvancedSettings2(IMsRdpClientAdvancedSettings**) = 0;                             // 39
  virtual HRESULT STDMETHODCALLTYPE get_SecuredSettings2(IDispatch**) = 0;               // 40
  virtual HRESULT STDMETHODCALLTYPE get_ExtendedDisconnectReason(long*) = 0;             // 41
  virtual HRESULT STDMETHODCALLTYPE put_FullScreen(VARIANT_BOOL) = 0;                    // 42
  virtual HRESULT STDMETHODCALLTYPE get_FullScreen(VARIANT_BOOL*) = 0;                   // 43
  virtual HRESULT STDMETHODCALLTYPE SetVirtualChannelOptions(BSTR, long) = 0;            // 44
  virtual HRESULT STDMETHODCALLTYPE GetVirtualChannelOptions(BSTR, long*) = 0;           // 45
  virtual HRESULT STDMETHODCALLTYPE RequestClose(long*) = 0;                             // 46
  virtual HRESULT STDMETHODCALLTYPE get_AdvancedSettings3(IDispatch**) = 0;              // 47
  virtual HRESULT STDMETHODCALLTYPE put_ConnectedStatusText(BSTR) = 0;                   // 48
  virtual HRESULT STDMETHODCALLTYPE get_ConnectedStatusText(BSTR*) = 0;                  // 49
  virtual HRESULT STDMETHODCALLTYPE get_AdvancedSettings4(IDispatch**) = 0;              // 50
  virtual HRESULT STDMETHODCALLTYPE get_AdvancedSettings5(IDispatch**) = 0;              // 51
  virtual HRESULT STDMETHODCALLTYPE get_TransportSettings(IDispatch**) = 0;              // 52
  virtual HRESULT STDMETHODCALLTYPE get_AdvancedSettings6(IDispatch**) = 0;              // 53
  virtual HRESULT STDMETHODCALLTYPE GetErrorDescription(unsigned, unsigned, BSTR*) = 0;  // 54
  virtual HRESULT STDMETHODCALLTYPE get_RemoteProgram(IDispatch**) = 0;                  // 55
  virtual HRESULT STDMETHODCALLTYPE get_MsRdpClientShell(IDispatch**) = 0;               // 56
  virtual HRESULT STDMETHODCALLTYPE get_AdvancedSettings7(IDispatch**) = 0;              // 57
  virtual HRESULT STDMETHODCALLTYPE get_TransportSettings2(IDispatch**) = 0;             // 58
  virtual HRESULT STDMETHODCALLTYPE get_AdvancedSettings8(IDispatch**) = 0;              // 59
  virtual HRESULT STDMETHODCALLTYPE get_TransportSettings3(IDispatch**) = 0;             // 60
  virtual HRESULT STDMETHODCALLTYPE GetStatusText(unsigned, BSTR*) = 0;                  // 61
  virtual HRESULT STDMETHODCALLTYPE get_SecuredSettings3(IDispatch**) = 0;               // 62
  virtual HRESULT STDMETHODCALLTYPE get_RemoteProgram2(IDispatch**) = 0;                 // 63
};

// Dispatch ids of the default interface and of the advanced settings.
namespace dispid {
inline constexpr DISPID Server = 1;
inline constexpr DISPID UserName = 3;
inline constexpr DISPID Connected = 6;
inline constexpr DISPID DesktopWidth = 12;
inline constexpr DISPID DesktopHeight = 13;
inline constexpr DISPID FullScreen = 104;
}  // namespace dispid

}  // namespace orvanta::rdp
