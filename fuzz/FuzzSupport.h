#pragma once

// Shared pieces of the fuzz targets: the property check that stops the run, a reader for the control bytes
// of an input, and a private folder for the settings and files the code under test reads.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstddef>
#include <cstdint>

namespace qx::fuzz {

// Prints what broke (where, the condition, a description of the input) and aborts, so that libFuzzer saves
// the input as a crash and the replay fails.
[[noreturn]] void fail(const char* file, int line, const char* condition, const QString& detail);

// A text as it can be printed on one line: printable ASCII as is, everything else as \u{XXXX}; long texts
// are cut in the middle.
QString shown(QStringView text);
QString shown(const QByteArray& bytes);

// Points the per-user and per-machine settings, the user data folder and the common folder at a private
// temporary folder (once per process), so that a run never reads or writes the user's own settings. Returns
// that folder.
QString sandbox();

// Reads control bytes from the end of an input, leaving the front (usually a text) intact, so that files
// of real text work as seeds as they are. Reads past the end give 0.
class ControlBytes {
public:
    ControlBytes(const std::uint8_t* data, std::size_t size)
        : mData(data)
        , mSize(size) {}

    // Takes up to count bytes off the end for control; they are no longer part of front().
    void reserve(std::size_t count);
    std::uint8_t byte();
    std::uint16_t word();
    // The bytes not taken for control.
    QByteArray front() const;

private:
    const std::uint8_t* mData;
    std::size_t mSize;
    std::size_t mControlStart = 0;
    std::size_t mNext = 0;
    bool mReserved = false;
};

// One edit of a text, read from three control bytes: where (a share of the text), how many characters go (at
// most 15) and which of `pieces` comes in their place. The edit is made on `text`.
struct TextEdit {
    int position;
    int removed;
    int added;
};
TextEdit editText(ControlBytes& control, QString& text, const QStringList& pieces);

} // namespace qx::fuzz

#define QX_FUZZ_CHECK(condition, detail)                                                                     \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            ::qx::fuzz::fail(__FILE__, __LINE__, #condition, (detail));                                      \
    } while (false)
