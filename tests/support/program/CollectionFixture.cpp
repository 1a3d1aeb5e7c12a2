#include "CollectionFixture.h"

#include "Startup.h"
#include "WindowDriver.h"

#include <QTest>

void CollectionFixture::SetUp()
{
    ASSERT_TRUE(dir.isValid());
}

void CollectionFixture::TearDown()
{
    destroyMainWindowAndData();
    main = nullptr;
}

TFormPrincipal *CollectionFixture::start()
{
    main = createMainWindowAndData();
    main->showMaximized();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(main));
    settle();
    return main;
}

bool CollectionFixture::startActive()
{
    main = createMainWindowAndData();
    main->showMaximized();
    main->activateWindow();
    return QTest::qWaitForWindowActive(main);
}
