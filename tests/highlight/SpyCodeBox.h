#pragma once

#include "platform/memory/MemoryCodeBox.h"

#include <QString>
#include <QStringList>

#include <stdexcept>

namespace qx::test {

// A code box that passes every call on to a MemoryCodeBox, writes the calls that matter to colouring into
// a log, and can be told to fail: the n-th SetCharFormat or setSelColor (counting from 1) throws.
class SpyCodeBox final : public CodeBox {
public:
    MemoryCodeBox inner;
    QStringList log;
    int failOnCharFormat = 0;
    int failOnSelColor = 0;

    QString Text() const override { return inner.Text(); }
    void setText(const QString& text) override { inner.setText(text); }
    int SelStart() const override { return inner.SelStart(); }
    void setSelStart(int pos) override { inner.setSelStart(pos); }
    int SelLength() const override { return inner.SelLength(); }
    void setSelLength(int length) override { inner.setSelLength(length); }
    QString SelText() const override { return inner.SelText(); }
    void setSelText(const QString& text) override { inner.setSelText(text); }

    void setSelColor(Colour colour) override {
        if (++mSelColorCalls == failOnSelColor)
            throw std::runtime_error("the box failed");
        log << QStringLiteral("SelColor %1 at %2+%3").arg(colour).arg(SelStart()).arg(SelLength());
        inner.setSelColor(colour);
    }
    void setSelBold(bool bold) override {
        log << QStringLiteral("SelBold %1 at %2+%3").arg(bold).arg(SelStart()).arg(SelLength());
        inner.setSelBold(bold);
    }
    void setSelItalic(bool italic) override {
        log << QStringLiteral("SelItalic %1 at %2+%3").arg(italic).arg(SelStart()).arg(SelLength());
        inner.setSelItalic(italic);
    }
    void SetCharFormat(const CharFormatChange& change) override {
        ++mCharFormatCalls;
        if (mCharFormatCalls == failOnCharFormat)
            throw std::runtime_error("the box failed");
        log << QStringLiteral("CharFormat at %1+%2").arg(SelStart()).arg(SelLength());
        lastChange = change;
        inner.SetCharFormat(change);
    }
    CharFormat FormatAt(int pos) const override { return inner.FormatAt(pos); }

    bool Locked() const override { return inner.Locked(); }
    void setLocked(bool locked) override { inner.setLocked(locked); }
    double FontSize() const override { return inner.FontSize(); }
    bool Visible() const override { return inner.Visible(); }
    void setVisible(bool visible) override {
        log << QStringLiteral("Visible %1").arg(visible);
        inner.setVisible(visible);
    }
    void Move(int left, int top, int width, int height) override { inner.Move(left, top, width, height); }
    void SetFocus() override { inner.SetFocus(); }
    bool HasFocus() const override { return inner.HasFocus(); }
    void Refresh() override { inner.Refresh(); }
    void setUpdatesLocked(bool locked) override {
        log << QStringLiteral("UpdatesLocked %1").arg(locked);
        inner.setUpdatesLocked(locked);
    }

    void SelectRange(int start, int end) override { inner.SelectRange(start, end); }
    int GetLineFromChar(int pos) const override { return inner.GetLineFromChar(pos); }
    QByteArray GetLine(int line, int maxChars) const override { return inner.GetLine(line, maxChars); }
    ScrollPos GetScrollPos() const override { return inner.GetScrollPos(); }
    void SetScrollPos(ScrollPos pos) override { inner.SetScrollPos(pos); }
    int Find(const QString& text, int start, int end, int options) const override {
        return inner.Find(text, start, end, options);
    }

    CharFormatChange lastChange;

private:
    int mCharFormatCalls = 0;
    int mSelColorCalls = 0;
};

} // namespace qx::test
