// The German catalogue as a host installs it: the control, its dialogs, popups and prompts speak German.
#include "favourites/Favourites.h"
#include "platform/EditorState.h"
#include "platform/memory/MemoryInputBox.h"
#include "platform/memory/MemoryMessageBox.h"
#include "platform/qt/QtCodeBox.h"
#include "platform/qt/QtPopupMenu.h"
#include "platform/qt/QtStatusBar.h"
#include "platform/qt/frmList.h"
#include "support/TempSettings.h"
#include "widgets/EditorPrivate.h"
#include "widgets/QtEditBar.h"
#include "widgets/frmEditTag.h"
#include "widgets/frmFindReplace.h"

#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace qx;

// Texts shown before the switch follow it, both ways; what is made afterwards starts in German.
TEST(TranslationTest, TheGermanCatalogueTranslatesEveryContextAndShownTextsFollowASwitch) {
    test::TempSettings settings;
    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral(QX_GERMAN_QM)));
    frmEditTag shownBefore{QString()}; // a control inside the tag value window
    EditorPrivate& d = EditorPrivate::of(*shownBefore.Editor());
    const frmFindReplace* find = frmFindReplace::open(shownBefore.Editor());
    QCoreApplication::installTranslator(&german);
    QCoreApplication::processEvents(); // the widgets' LanguageChange
    {
        frmEditTag window{QString()};
        EditorState state;
        MemoryInputBox input;
        MemoryMessageBox messages;
        input.cancel();
        Favourites(state, input, messages).addToFavourites(QStringLiteral("x"));
        const std::pair<QString, const char*> shown[] = {
            {d.mnuPopup->ItemText(MenuItem::Undo), "Rückgängig"},
            {d.mnuPopup->ItemText(MenuItem::FullView), "Vollansicht"},
            {d.picEditBar->button(QLatin1String("cmdBack"))->text(), "&Zurück"},
            {d.sbr->PanelText(QStringLiteral("CAPS")), "FEST"},
            {d.txtCode->accessibleName(), "Skript"},
            {find->cmdReplace->text(), "Ersetzen"},
            {window.CancelButton()->text(), "Abbrechen"},
            {frmList().accessibleName(), "Memberliste"},
            {input.questions().value(0).prompt, "Geben Sie den Namen für den Favoriten ein"},
        };
        for (const auto& [text, expected] : shown)
            EXPECT_EQ(text.toStdString(), expected);
    }
    QCoreApplication::removeTranslator(&german);
    QCoreApplication::processEvents();
    EXPECT_EQ(d.mnuPopup->ItemText(MenuItem::Undo), "Undo");
    EXPECT_EQ(find->cmdReplace->text(), "Replace");
}
