// Replaces one imported function of the test program for the life of the object, so a test can
// make a system call fail on demand.
#pragma once

class ScopedImportPatch {
public:
    // Points the program's import of function from dll (matched regardless of case) at
    // replacement.
    ScopedImportPatch(const char* dll, const char* function, void* replacement);
    ~ScopedImportPatch();
    ScopedImportPatch(const ScopedImportPatch&) = delete;
    ScopedImportPatch& operator=(const ScopedImportPatch&) = delete;

    // Whether the import was found and replaced.
    bool Active() const { return m_slot != nullptr; }
    // The function the import pointed at before, for a replacement that passes calls on.
    void* Original() const { return m_original; }

private:
    void** m_slot = nullptr;
    void* m_original = nullptr;
};
