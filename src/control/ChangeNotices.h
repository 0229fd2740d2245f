#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>
#include <functional>

namespace qx {

// What a host can be told about the control: each is one of its signals.
enum class Notice {
    Text,
    Modified,
    CursorPosition,
    Selection,
    UndoAvailable,
    RedoAvailable,
    Level,
    EditingEncodedArea,
    CodeType,
    EffectiveCodeType,
    Locked,
    FullView,
    TagColour,
    EncodeColour,
    RTFEditVisible,
    ShowFindButton,
    FindMenusEnabled,
    Database,
    Diagnostics,
};
inline constexpr std::size_t kNoticeCount = std::size_t(Notice::Diagnostics) + 1;

// Tells a host what changed, once per change. Each entry into the control (a user's action, a host's call)
// ends by comparing what the host can observe with what it was last told, and announces each difference.
// Entries nest (a host's call raises the box's own events): only the outermost announces, so that one typed
// character is one text change however many events it raises.
class ChangeNotices {
public:
    using Observed = std::array<qint64, kNoticeCount>;

    // Nothing is observed or announced before Start.
    ChangeNotices(std::function<Observed()> observe, std::function<void(Notice, qint64)> announce);
    // Takes what is observed now as what the host knows.
    void Start();
    // Announces nothing more: the control is going away.
    void Stop() { mStarted = false; }

    // One entry. A quiet one runs in the middle of an edit (the box's Edited, a question before a drop):
    // what it changed is announced by the entry that follows.
    class Entry {
    public:
        explicit Entry(ChangeNotices& notices, bool quiet = false) noexcept;
        ~Entry();
        Entry(const Entry&) = delete;
        Entry& operator=(const Entry&) = delete;

    private:
        ChangeNotices& mNotices;
        bool mQuiet;
    };

    // Whether an announcement is being made (a host reading the control from one of its signals).
    bool announcing() const { return mAnnouncing > 0; }

private:
    void publish();

    std::function<Observed()> mObserve;
    std::function<void(Notice, qint64)> mAnnounce;
    Observed mKnown{};
    int mDepth = 0;
    int mAnnouncing = 0;
    bool mStarted = false;
};

} // namespace qx
