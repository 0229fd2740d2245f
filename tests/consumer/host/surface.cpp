// What a host can and cannot do with the public headers, checked when the host compiles.
#include <qxTagEditor2/CodeBox.h>
#include <qxTagEditor2/Version.h>
#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include <type_traits>

// The control's hold on its own box is out of a host's reach.
template <typename Box>
concept CanUnhook = requires(Box& box) {
    box.setEvents(nullptr);
};
template <typename Box>
concept CanReadListener = requires(Box& box) {
    box.events();
};
template <typename Box>
concept CanReachListener = requires(Box& box) {
    box.mEvents;
};
template <typename Box>
concept CanLockUpdates = requires(Box& box) {
    box.setUpdatesLocked(true);
};
static_assert(!CanUnhook<qx::CodeBox> && !CanReadListener<qx::CodeBox>);
static_assert(!CanReachListener<qx::CodeBox> && !CanLockUpdates<qx::CodeBox>);
// The checks above see members: the box's public ones pass them.
template <typename Box>
concept CanRead = requires(const Box& box) {
    box.Text();
    box.FormatAt(0);
};
static_assert(CanRead<qx::CodeBox>);
// A host calls the box; it does not make one.
static_assert(std::is_abstract_v<qx::CodeBox>);

// Enumerations keep a fixed underlying type and their values.
static_assert(std::is_same_v<std::underlying_type_t<qxcSCRIPTEditor::ctCodeType>, int>);
static_assert(std::is_same_v<std::underlying_type_t<qxcSCRIPTEditor::EnumFindReplaceType>, int>);
static_assert(qxcSCRIPTEditor::ctKelvane == 0 && qxcSCRIPTEditor::ctVB == 1 && qxcSCRIPTEditor::ctAuto == 2);
static_assert(qxcSCRIPTEditor::frtWholeWord == 2 && qxcSCRIPTEditor::frtMatchCase == 4 &&
              qxcSCRIPTEditor::frtNoHighlight == 8);

static_assert(QXTAGEDITOR2_VERSION == QT_VERSION_CHECK(QXTAGEDITOR2_VERSION_MAJOR, QXTAGEDITOR2_VERSION_MINOR,
                                                       QXTAGEDITOR2_VERSION_PATCH));
