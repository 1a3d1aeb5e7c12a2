#include "Artista.h"

#include "ButtonGlyphs.h"
#include "Cascades.h"
#include "DBEdit.h"
#include "DBNavigator.h"
#include "DataModule.h"
#include "ErrorReport.h"
#include "FormPrincipal.h"
#include "IndexNames.h"
#include "KeyPress.h"
#include "Messages.h"
#include "RegisterState.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using catalogue::RegisterState;

QString ArtistaAnterior;

namespace {

QPushButton *glyphButton(const QString &caption, catalogue::Glyph glyph)
{
    auto *b = new QPushButton(catalogue::buttonGlyph(glyph), caption);
    b->setAutoDefault(true); // Enter on a focused button presses it
    b->setMinimumWidth(84);
    return b;
}

} // namespace

TArtistaForm::TArtistaForm(TFormPrincipal *owner)
    : TChildForm(owner, QStringLiteral("Artista"), Box::Minimise)
{
    setObjectName(QStringLiteral("ArtistaForm"));
    contents_ = new QWidget;
    contents_->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    DBNavigator1 = new dataaware::DBNavigator;
    DBNavigator1->setDataSource(DataModule1->ArtistaSource);
    Label2 = new QLabel(QStringLiteral("Artista"));
    DBEdit1 = new dataaware::DBEdit;
    DBEdit1->setDataSource(DataModule1->ArtistaSource);
    DBEdit1->setDataField(QStringLiteral("Artista"));
    DBEdit1->setMinimumWidth(300);
    Label2->setBuddy(DBEdit1);
    BitBtn7 = glyphButton(QStringLiteral("Gravar"), catalogue::Glyph::Gravar);
    BitBtn5 = glyphButton(QStringLiteral("Inserir"), catalogue::Glyph::Inserir);
    BitBtn6 = glyphButton(QStringLiteral("Apagar"), catalogue::Glyph::Apagar);
    BitBtn1 = glyphButton(QStringLiteral("Cancela"), catalogue::Glyph::Cancela);
    BitBtn2 = glyphButton(QStringLiteral("Editar"), catalogue::Glyph::Editar);

    // The name with its label above, the navigator below, the buttons in one row at the bottom.
    auto *layout = new QVBoxLayout(contents_);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addWidget(Label2);
    layout->addWidget(DBEdit1);
    layout->addSpacing(6);
    layout->addWidget(DBNavigator1, 0, Qt::AlignLeft);
    layout->addSpacing(10);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {BitBtn5, BitBtn2, BitBtn6, BitBtn7, BitBtn1})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    QWidget *order[] = {DBNavigator1, DBEdit1, BitBtn7, BitBtn5, BitBtn6, BitBtn1, BitBtn2};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    connect(BitBtn7, &QPushButton::clicked, this, melvora::reportingErrors(this, &TArtistaForm::BitBtn7Click));
    connect(BitBtn5, &QPushButton::clicked, this, melvora::reportingErrors(this, &TArtistaForm::BitBtn5Click));
    connect(BitBtn6, &QPushButton::clicked, this, melvora::reportingErrors(this, &TArtistaForm::BitBtn6Click));
    connect(BitBtn1, &QPushButton::clicked, this, melvora::reportingErrors(this, &TArtistaForm::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, melvora::reportingErrors(this, &TArtistaForm::BitBtn2Click));
    dataaware::onKeyPress(DBEdit1, [this](QChar &key) { DBEdit1KeyPress(key); });

    showInFrame(contents_, false); // the frame's default place for a new window
}

void TArtistaForm::setState(RegisterState state)
{
    catalogue::applyRegisterState({DBNavigator1, BitBtn5, BitBtn2, BitBtn6, BitBtn7, BitBtn1},
                                  state);
}

void TArtistaForm::showEvent(QShowEvent *event)
{
    TChildForm::showEvent(event);
    if (!shown_) {
        shown_ = true;
        melvora::runReportingErrors([this] { FormShow(); });
    }
}

void TArtistaForm::FormShow()
{
    DataModule1->Artista->selectIndex(melvora::index::iartista);
    DataModule1->Artista->first();
    setState(RegisterState::Opened);
}

bool TArtistaForm::ArtistaValido()
{
    if (DataModule1->Artista->fieldText(QStringLiteral("Artista")).isEmpty()) {
        Mensagem(QStringLiteral("Operação Inválida"));
        return false;
    }
    return true;
}

TArtistaForm::~TArtistaForm()
{
    // Destroyed without FormClose (the end of the program): a typed name is still saved with
    // its rename, an empty one dropped, without a message.
    tables::Table *artista = DataModule1 ? DataModule1->Artista : nullptr;
    if (!artista || !artista->isOpen())
        return;
    artista->setSettleDelegate({});
    if (!BitBtn7->isEnabled())
        return;
    try {
        if (artista->modified() && !artista->fieldText(QStringLiteral("Artista")).isEmpty())
            save();
        else
            artista->cancel();
    } catch (const tables::EngineError &) {
        // Nothing is left to tell at the end of the program, and nothing of the failed save may
        // be stored by the tables' own closing: the edit is dropped.
        artista->setSettleDelegate({});
        try {
            artista->cancel();
        } catch (const tables::EngineError &) {
            // unreadable now: the tables' closing finds nothing pending to store
        }
    }
}

void TArtistaForm::ownPendingEdit()
{
    DataModule1->Artista->setSettleDelegate([this] { settlePending(); });
}

void TArtistaForm::settlePending()
{
    setState(RegisterState::Browse);
    tables::Table *artista = DataModule1->Artista;
    if (!artista->modified()) {
        artista->cancel();
        return;
    }
    save();
}

bool TArtistaForm::save()
{
    tables::Table *artista = DataModule1->Artista;
    artista->setSettleDelegate({});
    if (!ArtistaValido()) {
        artista->cancel();
        return false;
    }
    const bool renaming = artista->state() == tables::TableState::Edit;
    try {
        artista->post();
    } catch (const tables::EngineError &) {
        // Nothing was stored and the typed name is still pending, Gravar and Cancelar with it:
        // whatever settles it later comes back here, so that the rename is carried into CDs and
        // songs then.
        setState(renaming ? RegisterState::Edit : RegisterState::Insert);
        ownPendingEdit();
        throw;
    }
    const QString novo = artista->fieldText(QStringLiteral("Artista"));
    if (renaming && novo != ArtistaAnterior
        && !catalogue::otherArtistNamed(*artista, ArtistaAnterior, artista->recordId())) {
        catalogue::renameArtist(*DataModule1->CD, melvora::index::ititulo, ArtistaAnterior, novo);
        catalogue::renameArtist(*DataModule1->Musica, melvora::index::imusica, ArtistaAnterior, novo);
    }
    return true;
}

void TArtistaForm::BitBtn5Click()
{
    DataModule1->Artista->append(); // a typed insert still pending is saved first
    DBEdit1->setFocus();
    setState(RegisterState::Insert);
    ownPendingEdit();
}

void TArtistaForm::BitBtn2Click()
{
    tables::Table *artista = DataModule1->Artista;
    // Pressed again during the edit, it keeps the name the edit started from.
    if (artista->state() != tables::TableState::Edit)
        ArtistaAnterior = artista->fieldText(QStringLiteral("Artista"));
    artista->edit(); // on an empty table this starts a new record
    DBEdit1->setFocus();
    setState(RegisterState::Edit);
    ownPendingEdit();
}

void TArtistaForm::BitBtn7Click()
{
    setState(RegisterState::Browse);
    if (!save()) {
        DBEdit1->setFocus();
        return;
    }
    BitBtn5->setFocus();
}

void TArtistaForm::BitBtn1Click()
{
    DataModule1->Artista->cancel();
    DBEdit1->setFocus();
    setState(RegisterState::Browse);
}

void TArtistaForm::BitBtn6Click()
{
    if (!ArtistaValido()) {
        DBEdit1->setFocus();
        return;
    }
    const QString nome = DataModule1->Artista->fieldText(QStringLiteral("Artista"));
    setState(RegisterState::Asking);
    if (Confirma(QStringLiteral("Confirma exclusão?"))) {
        DataModule1->Artista->deleteRecord();
        if (!catalogue::otherArtistNamed(*DataModule1->Artista, nome, 0)) {
            catalogue::deleteArtist(*DataModule1->CD, melvora::index::ititulo, nome);
            catalogue::deleteArtist(*DataModule1->Musica, melvora::index::imusica, nome);
        }
    }
    DBEdit1->setFocus();
    setState(RegisterState::AfterDelete);
}

void TArtistaForm::DBEdit1KeyPress(QChar &key)
{
    if (key == QChar(13)) {
        dataaware::focusNextControl(DBEdit1, contents_);
        key = QChar(0);
    }
}

void TArtistaForm::FormClose()
{
    owner()->commandDone(Command::Artista);
    DataModule1->Artista->settle(); // a pending edit goes through settlePending
}
