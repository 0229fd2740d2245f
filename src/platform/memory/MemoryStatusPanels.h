#pragma once

#include "platform/StatusPanels.h"

#include <QHash>

namespace qx {

// Status panels that only remember what they were given; any key is accepted.
class MemoryStatusPanels final : public StatusPanels {
public:
    void setPanelText(const QString& key, const QString& text) override {
        mTexts.insert(key, text);
        ++mTextWrites;
    }
    QString PanelText(const QString& key) const override { return mTexts.value(key); }
    void setPanelEnabled(const QString& key, bool enabled) override { mEnabled.insert(key, enabled); }
    bool PanelEnabled(const QString& key) const override { return mEnabled.value(key, true); }
    int Height() const override { return 25; }

    int textWrites() const { return mTextWrites; }

private:
    QHash<QString, QString> mTexts;
    QHash<QString, bool> mEnabled;
    int mTextWrites = 0;
};

} // namespace qx
