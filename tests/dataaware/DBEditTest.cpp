#include "DBEdit.h"
#include "DataAwareFixture.h"
#include "ErrorKeepingApplication.h"
#include "ModalBox.h"

#include <QClipboard>

using dataaware::DBEdit;
using tables::TableState;

class BoundEdit : public DataAwareFixture {
protected:
    DBEdit *makeEdit(dataaware::DataSource *source, const QString &field)
    {
        auto *edit = new DBEdit(window.get());
        edit->setDataSource(source);
        edit->setDataField(field);
        return edit;
    }
};

using BoundDateEdit = BoundEdit;

TEST_F(BoundEdit, FollowsTheCurrentRecord)
{
    add(*cd, {"Arrival", "", "ABBA", "Pop"});
    add(*cd, {"Kind of Blue", "", "Miles Davis", "Jazz"});
    DBEdit *titulo = makeEdit(cdSource.get(), "Titulo");
    cd->selectIndex("ititulo");
    cd->first();
    EXPECT_EQ(titulo->text(), "Arrival");
    cd->next();
    EXPECT_EQ(titulo->text(), "Kind of Blue");
    cd->append();
    EXPECT_EQ(titulo->text(), "");
    cd->cancel();
    EXPECT_EQ(titulo->text(), "Kind of Blue");
}

TEST_F(BoundEdit, WithoutAutoEditTypingIsRefusedUntilTheWindowEdits)
{
    add(*cd, {"Arrival", "", "ABBA", "Pop"});
    DBEdit *titulo = makeEdit(cdSource.get(), "Titulo");
    show();
    cd->first();
    EXPECT_TRUE(titulo->isReadOnly());
    QTest::keyClicks(titulo, "xyz");
    EXPECT_EQ(cd->state(), TableState::Browse);
    EXPECT_EQ(titulo->text(), "Arrival");

    cd->edit();
    EXPECT_FALSE(titulo->isReadOnly());
    titulo->setCursorPosition(7);
    QTest::keyClicks(titulo, " Live");
    cd->post();
    EXPECT_EQ(column(*cd, "Titulo"), QStringList{"Arrival Live"});
    EXPECT_TRUE(titulo->isReadOnly());
}

TEST_F(BoundEdit, WithAutoEditTypingStartsTheEdit)
{
    add(*cd, {"Arrival", "", "ABBA", "Pop"});
    cdSource->setAutoEdit(true);
    DBEdit *estilo = makeEdit(cdSource.get(), "Estilo");
    show();
    cd->first();
    estilo->setCursorPosition(3);
    QTest::keyClicks(estilo, " rock");
    EXPECT_EQ(cd->state(), TableState::Edit);
    cd->post();
    EXPECT_EQ(column(*cd, "Estilo"), QStringList{"Pop rock"});
}

TEST_F(BoundEdit, MaximumLengthIsTheFieldSize)
{
    DBEdit *estilo = makeEdit(cdSource.get(), "Estilo");
    DBEdit *titulo = makeEdit(cdSource.get(), "Titulo");
    show();
    cd->append();
    QTest::keyClicks(estilo, "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(estilo->text(), "abcdefghijklmnopqrst");
    QTest::keyClicks(titulo, "T");
    cd->post();
    EXPECT_EQ(column(*cd, "Estilo"), QStringList{"abcdefghijklmnopqrst"});
}

TEST_F(BoundDateEdit, DateFieldTakesTheDateMaskAndStoresTheTypedDay)
{
    DBEdit *data = makeEdit(cdSource.get(), "Aquisicao");
    EXPECT_EQ(data->inputMask(), "00/00/99;_");
    show();
    cd->append();
    EXPECT_EQ(data->displayText(), "__/__/__");
    data->setFocus();
    data->setCursorPosition(0);
    QTest::keyClicks(data, "250391");
    EXPECT_EQ(data->text(), "25/03/91");
    cd->setFieldText("Titulo", "Arrival");
    cd->post();
    EXPECT_EQ(column(*cd, "Aquisicao"), QStringList{"25/03/91"});
    cd->first();
    EXPECT_EQ(data->text(), "25/03/91");
}

TEST_F(BoundDateEdit, HalfTypedDateIsRefusedOnLeavingAndNeverStored)
{
    DBEdit *data = makeEdit(cdSource.get(), "Aquisicao");
    DBEdit *titulo = makeEdit(cdSource.get(), "Titulo");
    show();
    cd->append();
    data->setFocus();
    data->setCursorPosition(0);
    QTest::keyClicks(data, "2503");
    // Another control's write must not wipe what is being typed.
    cd->setFieldText("Estilo", "Pop");
    EXPECT_EQ(data->text(), "25/03/");
    ErrorKeepingApplication::takeErrors();
    titulo->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(ErrorKeepingApplication::takeErrors().size(), 1);
    EXPECT_EQ(cd->fieldText("Aquisicao"), "");
}

TEST_F(BoundDateEdit, ARefusedDateKeepsTheFocusAndItsTextUntilItIsADateOrBlank)
{
    DBEdit *data = makeEdit(cdSource.get(), "Aquisicao");
    DBEdit *titulo = makeEdit(cdSource.get(), "Titulo");
    show();
    cd->append();
    data->setFocus();
    data->setCursorPosition(0);
    QTest::keyClicks(data, "310299");
    EXPECT_TRUE(data->refusesText());
    EXPECT_FALSE(data->refusalShown());
    // A box taking the focus is not the user leaving the field.
    showModalBox();
    EXPECT_EQ(QApplication::focusWidget(), data);
    EXPECT_TRUE(data->refusesText());
    // Tab away: the engine's refusal, and the focus back with the text.
    ErrorKeepingApplication::takeErrors();
    QTest::keyClick(data, Qt::Key_Tab);
    EXPECT_EQ(ErrorKeepingApplication::takeErrors().size(), 1);
    EXPECT_EQ(QApplication::focusWidget(), data);
    EXPECT_EQ(data->text(), "31/02/99");
    EXPECT_TRUE(data->refusalShown());
    EXPECT_EQ(cd->fieldText("Aquisicao"), "");
    data->selectAll();
    QTest::keyClicks(data, "280299");
    EXPECT_FALSE(data->refusesText());
    QTest::keyClick(data, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), titulo);
    EXPECT_EQ(cd->fieldText("Aquisicao"), "28/02/99");
}

TEST_F(BoundDateEdit, ClearingADateStoresNoDate)
{
    add(*cd, {"Arrival", "25/03/91", "ABBA", "Pop"});
    DBEdit *data = makeEdit(cdSource.get(), "Aquisicao");
    show();
    cd->first();
    cd->edit();
    data->setFocus();
    data->selectAll();
    QTest::keyClick(data, Qt::Key_Delete);
    cd->post();
    EXPECT_EQ(column(*cd, "Aquisicao"), QStringList{""});
}

TEST_F(BoundEdit, RefusingFieldLooksLikeTheWindowAndAnEditableOneLikeAnEdit)
{
    add(*cd, {"Arrival", "", "ABBA", "Pop"});
    DBEdit *titulo = makeEdit(cdSource.get(), "Titulo");
    cd->first();
    const QPalette standard = QApplication::palette(titulo);
    EXPECT_EQ(titulo->palette().color(QPalette::Active, QPalette::Base), standard.color(QPalette::Active, QPalette::Window));
    cd->edit();
    EXPECT_EQ(titulo->palette().color(QPalette::Active, QPalette::Base), standard.color(QPalette::Active, QPalette::Base));
    cd->cancel();
    cdSource->setAutoEdit(true);
    cd->first(); // with AutoEdit typing would start the edit: an ordinary edit's look
    EXPECT_EQ(titulo->palette().color(QPalette::Active, QPalette::Base), standard.color(QPalette::Active, QPalette::Base));
}

// A name of 40 characters whose last is outside the basic plane (two UTF-16 units) is kept whole;
// typing past the size is cut at a character, never inside one; the key finds what is stored.
TEST_F(BoundEdit, TextIsCutAtTheFieldsSizeOnCharacterBoundaries)
{
    DBEdit *titulo = makeEdit(cdSource.get(), "Titulo");
    show();
    const QString emoji = QString::fromUcs4(U"\U0001F3B5");
    const QString name39(39, u'a');
    struct Case {
        QString typed, stored;
    };
    const Case cases[] = {
        {name39 + emoji, name39 + emoji},
        {name39 + emoji + "b", name39 + emoji},
        {name39 + "b" + emoji, name39 + "b"},
    };
    for (const Case &c : cases) {
        cd->append();
        titulo->setFocus();
        // One key per character, as a keyboard or an input method delivers them.
        for (const char32_t ch : c.typed.toUcs4())
            QTest::sendKeyEvent(QTest::Click, titulo, Qt::Key_unknown, QString::fromUcs4(&ch, 1), Qt::NoModifier);
        EXPECT_EQ(titulo->text(), c.stored);
        cd->post();
        tables::commitAll();
        cd->selectIndex("ititulo");
        ASSERT_TRUE(cd->findKey({c.stored})) << c.stored.size();
        EXPECT_EQ(cd->fieldText("Titulo"), c.stored);
        cd->deleteRecord();
    }
    EXPECT_EQ(column(*cd, "Titulo"), QStringList());
    // A full field refuses what is typed or pasted in its middle; the text there stays whole.
    const QString full = "Sgt. Pepper's Lonely Hearts Club Band 67";
    ASSERT_EQ(full.size(), 40);
    cd->append();
    titulo->setFocus();
    QTest::keyClicks(titulo, full);
    titulo->setCursorPosition(5);
    QTest::keyClicks(titulo, "X");
    EXPECT_EQ(titulo->text(), full);
    EXPECT_EQ(titulo->cursorPosition(), 5);
    titulo->setCursorPosition(4);
    titulo->del();
    titulo->del();
    QApplication::clipboard()->setText("ABC");
    titulo->paste();
    EXPECT_EQ(titulo->text(), "Sgt.AB" + full.mid(6));
    EXPECT_EQ(cd->fieldText("Titulo"), "Sgt.AB" + full.mid(6));
    cd->cancel();
    // Half a character never reaches the table, whoever writes it.
    cd->append();
    EXPECT_THROW(cd->setFieldText("Titulo", name39 + emoji.left(1)), tables::EngineError);
    cd->cancel();
}
