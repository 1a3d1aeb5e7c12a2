#include "Artista.h"
#include "CD.h"
#include "CatalogueFixture.h"
#include "CatalogueWindows.h"

#include <QMdiSubWindow>

// The registers open from the main window's commands, which stay disabled while they are open.
class RegisterCommands : public CatalogueFixture {};

TEST_F(RegisterCommands, EachRegisterDisablesAndReenablesItsPair)
{
    registerCatalogueWindows(main);
    struct Pair {
        QAction *item;
        QToolButton *button;
    };
    for (Pair p : {Pair{main->Artista1, main->BitBtn1}, Pair{main->CD1, main->BitBtn2}}) {
        p.button->click();
        settle();
        ASSERT_EQ(main->mdiArea->subWindowList().size(), 1);
        EXPECT_FALSE(p.item->isEnabled());
        EXPECT_FALSE(p.button->isEnabled());
        main->mdiArea->subWindowList().first()->close();
        settle();
        EXPECT_TRUE(p.item->isEnabled());
        EXPECT_TRUE(p.button->isEnabled());
        EXPECT_TRUE(main->mdiArea->subWindowList().isEmpty());
    }
    main->Artista1->trigger();
    main->CD1->trigger();
    settle();
    const auto windows = main->mdiArea->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_TRUE(qobject_cast<TArtistaForm *>(windows[0]));
    EXPECT_TRUE(qobject_cast<TCDForm *>(windows[1]));
    EXPECT_EQ(windows[0]->windowTitle(), "Artista");
    EXPECT_EQ(windows[1]->windowTitle(), "CD");
}

TEST_F(RegisterCommands, RegistersOpenWhereTheFramePlacesANewWindow)
{
    registerCatalogueWindows(main);
    main->Artista1->trigger();
    settle();
    main->CD1->trigger();
    settle();
    const auto windows = main->mdiArea->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    // The first takes the top left corner, the next a place of its own, not the centre.
    EXPECT_EQ(windows[0]->pos(), QPoint(0, 0));
    EXPECT_NE(windows[1]->pos(), windows[0]->pos());
}
