// The three message boxes as the user sees them (captions, icons, Portuguese buttons), the
// default error box catching what a handler throws, and a table that fails at start-up.
#include "AppFixture.h"
#include "Transactions.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    bool pendingWrites = true;
};

// Reads the real box once it is up and presses the button labelled press.
void answerRealBox(SeenBox *seen, const QString &press)
{
    QTimer::singleShot(0, [seen, press] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        seen->pendingWrites = tables::hasPendingWrites();
        for (QAbstractButton *b : box->buttons())
            seen->buttons << b->text();
        for (QAbstractButton *b : box->buttons()) {
            if (b->text() == press)
                b->click();
        }
    });
}

} // namespace

class RealMessageBoxes : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        melvora::setMessageResponder({}); // the real boxes
    }
};

TEST_F(RealMessageBoxes, ConfirmaIsAWarningWithPortugueseButtonsAndCommitsFirst)
{
    start();
    addRecords(DataModule1->Artista, 1);
    ASSERT_TRUE(tables::hasPendingWrites());
    SeenBox seen;
    answerRealBox(&seen, QStringLiteral("Cancelar"));
    EXPECT_FALSE(Confirma(QStringLiteral("Apaga?")));
    EXPECT_EQ(seen.title, QStringLiteral("ATENÇÃO"));
    EXPECT_EQ(seen.text, QStringLiteral("Apaga?"));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons.size(), 2);
    EXPECT_TRUE(seen.buttons.contains(QStringLiteral("OK")));
    EXPECT_TRUE(seen.buttons.contains(QStringLiteral("Cancelar")));
    EXPECT_FALSE(seen.pendingWrites);

    SeenBox again;
    answerRealBox(&again, QStringLiteral("OK"));
    EXPECT_TRUE(Confirma(QStringLiteral("Apaga?")));
}

TEST_F(RealMessageBoxes, MensagemAndTheErrorBox)
{
    start();
    SeenBox plain;
    answerRealBox(&plain, QStringLiteral("OK"));
    Mensagem(QStringLiteral("Informe o artista"));
    EXPECT_EQ(plain.title, QStringLiteral("Melvora"));
    EXPECT_EQ(plain.text, QStringLiteral("Informe o artista"));
    EXPECT_EQ(plain.icon, QMessageBox::NoIcon);
    EXPECT_EQ(plain.buttons, QStringList({"OK"}));

    SeenBox error;
    answerRealBox(&error, QStringLiteral("OK"));
    ShowErrorBox(QStringLiteral("Registro travado"));
    EXPECT_EQ(error.title, QStringLiteral("Melvora"));
    EXPECT_EQ(error.text, QStringLiteral("Registro travado."));
    EXPECT_EQ(error.icon, QMessageBox::Critical);
    EXPECT_EQ(error.buttons, QStringList({"OK"}));
}

using DefaultErrorBox = AppFixture;

TEST_F(DefaultErrorBox, AnErrorEndsItsHandlerAndTheLoopGoesOn)
{
    start();
    QStringList ran;
    QTimer::singleShot(0, [&] {
        ran << "first";
        throw tables::EngineError(QStringLiteral("O campo Artista não existe"));
    });
    QTimer::singleShot(0, [&] {
        ran << "second";
        throw std::runtime_error("falha de memória");
    });
    QTimer::singleShot(0, [&] { ran << "third"; });
    QTRY_COMPARE(ran.size(), 3);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].kind, melvora::MessageKind::Error);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Melvora"));
    EXPECT_EQ(boxes[0].text, QStringLiteral("O campo Artista não existe."));
    EXPECT_EQ(boxes[1].text, QStringLiteral("falha de memória."));
}

TEST_F(DefaultErrorBox, ATableThatFailsAtStartUpIsReportedAndTheWindowStillAppears)
{
    ASSERT_TRUE(QFile::remove(QStringLiteral("cd.db")));
    TFormPrincipal *w = start();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, melvora::MessageKind::Error);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Melvora"));
    EXPECT_TRUE(boxes[0].text.contains(QStringLiteral("cd.db"))) << boxes[0].text.toStdString();
    EXPECT_TRUE(boxes[0].text.endsWith(u'.'));
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(DataModule1->Artista->isOpen());
    EXPECT_FALSE(DataModule1->CD->isOpen());
    EXPECT_FALSE(DataModule1->Musica->isOpen()) << "opening stops at the first failure";
}
