// Scope guards for the GDI objects and selections of one paint: whatever a painter creates is
// deleted and whatever it selects is selected out again, on every way out of the painter.
#pragma once

#include <windows.h>

// Owns a GDI object the painter created; deletes it when the scope ends. A NULL handle (a
// failed creation) is kept and ignored.
template <typename Handle> class OwnedGdiObject {
public:
    explicit OwnedGdiObject(Handle handle) : m_handle(handle) {}
    ~OwnedGdiObject() {
        if (m_handle != nullptr) {
            ::DeleteObject(m_handle);
        }
    }
    OwnedGdiObject(const OwnedGdiObject&) = delete;
    OwnedGdiObject& operator=(const OwnedGdiObject&) = delete;

    Handle Get() const { return m_handle; }

private:
    Handle m_handle;
};

using OwnedBrush = OwnedGdiObject<HBRUSH>;

// Selects an object into a DC for the scope and selects the displaced one back at its end.
// Selecting NULL does nothing: the DC keeps what it has, and nothing is put back.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object)
        : m_dc(dc), m_previous(object != nullptr ? ::SelectObject(dc, object) : nullptr) {}
    ~ScopedSelection() {
        if (m_previous != nullptr && m_previous != HGDI_ERROR) {
            ::SelectObject(m_dc, m_previous);
        }
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// The window DC of a control for the scope.
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(::GetWindowDC(hwnd)) {}
    ~ScopedWindowDC() {
        if (m_dc != nullptr) {
            ::ReleaseDC(m_hwnd, m_dc);
        }
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;

    HDC Get() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};
