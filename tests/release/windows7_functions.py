"""Functions that 64-bit Windows 7 SP1 has, DLL by DLL: those whose Microsoft
reference page gives "Minimum supported client" as Windows 7 or earlier (for
msvcrt, the C run-time functions of the system's own msvcrt.dll, whose
reference dates them to Visual C++ 6.0 or earlier). Written from that
documentation, not from any program's imports: a function missing here is one
Windows 7 may not have. Windows 8 and later functions stay out on purpose, for
example GetSystemTimePreciseAsFileTime, CreateFile2, WaitOnAddress,
SetThreadDescription, GetDpiForWindow and SetProcessDpiAwarenessContext.
"""

WINDOWS_7_FUNCTIONS = {
    "KERNEL32.DLL": set("""
        AcquireSRWLockExclusive AcquireSRWLockShared AddVectoredContinueHandler
        AddVectoredExceptionHandler CloseHandle CompareStringW CreateEventA CreateEventW
        CreateFileA CreateFileW CreateMutexA CreateMutexW CreateProcessA CreateProcessW
        CreateSemaphoreA CreateSemaphoreW CreateThread DebugBreak DecodePointer
        DeleteCriticalSection DeleteFileA DeleteFileW DisableThreadLibraryCalls DuplicateHandle
        EncodePointer EnterCriticalSection ExitProcess ExitThread FileTimeToSystemTime FindClose
        FindFirstFileA FindFirstFileW FindNextFileA FindNextFileW FlsAlloc FlsFree FlsGetValue
        FlsSetValue FlushFileBuffers FlushInstructionCache FormatMessageA FormatMessageW
        FreeEnvironmentStringsW FreeLibrary GetACP GetCPInfo GetCommandLineA GetCommandLineW
        GetConsoleCP GetConsoleMode GetConsoleOutputCP GetCurrentDirectoryA GetCurrentDirectoryW
        GetCurrentProcess GetCurrentProcessId GetCurrentThread GetCurrentThreadId
        GetEnvironmentStringsW GetEnvironmentVariableA GetEnvironmentVariableW GetErrorMode
        GetExitCodeProcess GetExitCodeThread GetFileAttributesA GetFileAttributesW GetFileSize
        GetFileSizeEx GetFileType GetFullPathNameA GetFullPathNameW GetHandleInformation
        GetLastError GetLocalTime GetLocaleInfoA GetLocaleInfoW GetModuleFileNameA
        GetModuleFileNameW GetModuleHandleA GetModuleHandleExA GetModuleHandleExW GetModuleHandleW
        GetNativeSystemInfo GetOEMCP GetProcAddress GetProcessAffinityMask GetProcessHeap
        GetProcessId GetStartupInfoA GetStartupInfoW GetStdHandle GetStringTypeW
        GetSystemDirectoryA GetSystemDirectoryW GetSystemInfo GetSystemTime GetSystemTimeAsFileTime
        GetTempPathA GetTempPathW GetThreadContext GetThreadId GetThreadPriority GetTickCount
        GetTickCount64 GetUserDefaultLCID GetVersion GetVersionExA GetVersionExW
        GetWindowsDirectoryA GetWindowsDirectoryW GlobalAlloc GlobalFree GlobalLock GlobalUnlock
        HeapAlloc HeapCreate HeapDestroy HeapFree HeapReAlloc HeapSize InitOnceBeginInitialize
        InitOnceComplete InitOnceExecuteOnce InitializeConditionVariable InitializeCriticalSection
        InitializeCriticalSectionAndSpinCount InitializeCriticalSectionEx InitializeSListHead
        InitializeSRWLock InterlockedFlushSList InterlockedPopEntrySList InterlockedPushEntrySList
        IsDBCSLeadByte IsDBCSLeadByteEx IsDebuggerPresent IsProcessorFeaturePresent LCMapStringW
        LeaveCriticalSection LoadLibraryA LoadLibraryExA LoadLibraryExW LoadLibraryW LocalAlloc
        LocalFree MultiByteToWideChar OpenProcess OpenThread OutputDebugStringA OutputDebugStringW
        QueryPerformanceCounter QueryPerformanceFrequency RaiseException ReadFile ReleaseMutex
        ReleaseSRWLockExclusive ReleaseSRWLockShared ReleaseSemaphore RemoveVectoredContinueHandler
        RemoveVectoredExceptionHandler ResetEvent ResumeThread RtlAddFunctionTable
        RtlCaptureContext RtlDeleteFunctionTable RtlLookupFunctionEntry RtlPcToFileHeader
        RtlUnwindEx RtlVirtualUnwind SetEnvironmentVariableA SetEnvironmentVariableW SetErrorMode
        SetEvent SetFilePointer SetFilePointerEx SetHandleInformation SetLastError
        SetProcessAffinityMask SetThreadAffinityMask SetThreadContext SetThreadPriority
        SetUnhandledExceptionFilter Sleep SleepConditionVariableCS SleepConditionVariableSRW
        SleepEx SuspendThread SwitchToThread SystemTimeToFileTime TerminateProcess TerminateThread
        TlsAlloc TlsFree TlsGetValue TlsSetValue TryAcquireSRWLockExclusive TryAcquireSRWLockShared
        TryEnterCriticalSection UnhandledExceptionFilter VirtualAlloc VirtualFree VirtualProtect
        VirtualQuery WaitForMultipleObjects WaitForMultipleObjectsEx WaitForSingleObject
        WaitForSingleObjectEx WakeAllConditionVariable WakeConditionVariable WideCharToMultiByte
        WriteConsoleW WriteFile __C_specific_handler lstrcmpA lstrcmpiA lstrlenA lstrlenW
    """.split()),
    "USER32.DLL": set("""
        AdjustWindowRect AdjustWindowRectEx BeginPaint CallWindowProcA CallWindowProcW CharLowerA
        CharNextA CharUpperA CharUpperW ClientToScreen CreateDialogParamA CreateWindowExA
        CreateWindowExW DefDlgProcA DefWindowProcA DefWindowProcW DestroyIcon DestroyMenu
        DestroyWindow DialogBoxParamA DispatchMessageA DispatchMessageW DrawTextA DrawTextW
        EnableWindow EndDialog EndPaint EnumChildWindows EnumWindows FillRect FindWindowA
        FindWindowExA GetAsyncKeyState GetClassInfoExA GetClassLongPtrA GetClassNameA GetClientRect
        GetCursorPos GetDC GetDesktopWindow GetDlgCtrlID GetDlgItem GetDlgItemTextA GetFocus
        GetForegroundWindow GetKeyState GetMenu GetMessageA GetMessageW GetMonitorInfoA GetParent
        GetSysColor GetSysColorBrush GetSystemMetrics GetWindow GetWindowLongA GetWindowLongPtrA
        GetWindowRect GetWindowTextA GetWindowTextLengthA GetWindowTextW GetWindowThreadProcessId
        InvalidateRect IsDialogMessageA IsIconic IsProcessDPIAware IsWindow IsWindowVisible
        KillTimer LoadAcceleratorsA LoadCursorA LoadCursorW LoadIconA LoadIconW LoadImageA
        LoadStringA MapWindowPoints MessageBoxA MessageBoxW MonitorFromWindow MoveWindow
        MsgWaitForMultipleObjects PeekMessageA PeekMessageW PostMessageA PostMessageW
        PostQuitMessage PostThreadMessageA RedrawWindow RegisterClassA RegisterClassExA
        RegisterClassExW ReleaseDC ScreenToClient SendMessageA SendMessageTimeoutA SendMessageW
        SetCursor SetDlgItemTextA SetFocus SetForegroundWindow SetMenu SetProcessDPIAware SetTimer
        SetWindowLongA SetWindowLongPtrA SetWindowPos SetWindowTextA SetWindowTextW ShowWindow
        SystemParametersInfoA TranslateAcceleratorA TranslateMessage UnregisterClassA UpdateWindow
        wsprintfA wvsprintfA
    """.split()),
    "GDI32.DLL": set("""
        BitBlt CreateCompatibleBitmap CreateCompatibleDC CreateDIBSection CreateFontA
        CreateFontIndirectA CreateFontIndirectW CreateFontW CreatePen CreateRectRgn
        CreateSolidBrush DeleteDC DeleteObject Ellipse ExtTextOutA ExtTextOutW GetDeviceCaps
        GetObjectA GetObjectType GetObjectW GetPixel GetStockObject GetTextExtentPoint32A
        GetTextExtentPoint32W GetTextFaceA GetTextMetricsA GetTextMetricsW LineTo MoveToEx PatBlt
        Rectangle SelectClipRgn SelectObject SetBkColor SetBkMode SetPixel SetTextColor StretchBlt
        TextOutA TextOutW
    """.split()),
    "IMM32.DLL": set("""
        ImmAssociateContext ImmAssociateContextEx ImmCreateContext ImmDestroyContext ImmDisableIME
        ImmGetCompositionStringA ImmGetCompositionStringW ImmGetContext ImmGetConversionStatus
        ImmGetDefaultIMEWnd ImmGetOpenStatus ImmIsIME ImmNotifyIME ImmReleaseContext
        ImmSetCompositionStringA ImmSetCompositionStringW ImmSetConversionStatus ImmSetOpenStatus
    """.split()),
    "MSVCRT.DLL": set("""
        _XcptFilter ___lc_codepage_func ___lc_handle_func ___mb_cur_max_func __CxxFrameHandler3
        __dllonexit __getmainargs __initenv __iob_func __lconv_init __mb_cur_max __p___argc
        __p___argv __p__acmdln __p__commode __p__fmode __pioinfo __set_app_type __setusermatherr
        __wgetmainargs __winitenv _acmdln _aligned_free _aligned_malloc _aligned_realloc _amsg_exit
        _beginthread _beginthreadex _c_exit _cexit _clearfp _close _commode _control87 _controlfp
        _endthread _endthreadex _errno _exit _expand _fileno _finite _fmode _fpreset _fstat
        _fstat64 _ftime64 _get_osfhandle _getpid _gmtime64 _initterm _isatty _isctype _isnan _itoa
        _localtime64 _lock _ltoa _mktime64 _msize _onexit _open _open_osfhandle _pctype _read
        _resetstkoflw _setjmp _setmode _snprintf _snwprintf _stat _stat64 _statusfp _strdup
        _stricmp _strnicmp _time64 _ui64toa _ultoa _unlock _vsnprintf _vsnwprintf _wcmdln _wcsdup
        _wcsicmp _write abort atan atan2 atexit atof atoi atol calloc ceil clock cos difftime exit
        exp fabs fclose fflush fgetc fgets floor fmod fopen fprintf fputc fputs fread free frexp
        fseek ftell fwrite getenv gmtime isalnum isalpha isdigit islower isprint isspace isupper
        iswctype ldexp localeconv localtime log log10 longjmp malloc mblen mbstowcs mbtowc memchr
        memcmp memcpy memmove memset mktime modf pow printf puts qsort rand realloc setlocale
        signal sin sprintf sqrt sscanf strcat strchr strcmp strcpy strerror strftime strlen strncat
        strncmp strncpy strrchr strstr strtod strtol strtoul tan time tolower toupper vfprintf
        vprintf vsprintf wcscat wcschr wcscmp wcscpy wcslen wcsncmp wcsncpy wcstombs wctomb
    """.split()),
}
