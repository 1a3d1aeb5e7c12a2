#include "Retirada.h"
#include "ErrorReport.h"
#include "OkButton.h"
#include "CDLookup.h"

#include "DBEdit.h"
#include "DBListBox.h"
#include "DBLookupComboBox.h"
#include "DataModule.h"
#include "DateText.h"
#include "FormPrincipal.h"
#include "IndexNames.h"
#include "KeyPress.h"
#include "Messages.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

TRetiradaForm::TRetiradaForm(TFormPrincipal *owner)
    : TChildForm(owner, QStringLiteral("Retirada"), Box::Minimise),
      entry_(DataModule1->Retirada->fileName())
{
    entry_.open(tables::OpenMode::Shared); // shares the data module's file and its lock
    entrySource_ = new dataaware::DataSource(&entry_, this);
    entrySource_->setAutoEdit(true);

    contents_ = new QWidget;
    contents_->setFixedSize(328, 263);
    auto *grid = new QGridLayout(contents_);
    grid->setContentsMargins(10, 6, 10, 8);
    grid->setVerticalSpacing(1);
    grid->setHorizontalSpacing(10);
    auto label = [&](const QString &text, QWidget *buddy, int row, int col, int span = 1) {
        auto *l = new QLabel(text);
        l->setBuddy(buddy);
        grid->addWidget(l, row, col, 1, span);
        grid->addWidget(buddy, row + 1, col, 1, span);
    };

    DBLookupComboBox1 = new dataaware::DBLookupComboBox;
    DBLookupComboBox1->setListSource(DataModule1->ArtistaSource);
    DBLookupComboBox1->setKeyField(QStringLiteral("Artista"));
    DBLookupComboBox1->setListField(QStringLiteral("Artista"));
    DBLookupComboBox1->setDataSource(entrySource_);
    DBLookupComboBox1->setDataField(QStringLiteral("Artista"));
    label(QStringLiteral("Artista"), DBLookupComboBox1, 0, 0, 2);

    combo_titulo = new dataaware::DBListBox;
    combo_titulo->setDataSource(entrySource_);
    combo_titulo->setDataField(QStringLiteral("Titulo"));
    combo_titulo->setFixedHeight(5 * combo_titulo->fontMetrics().height() + 6); // about five lines
    label(QStringLiteral("Título"), combo_titulo, 2, 0, 2);

    auto edit = [&](const QString &field) {
        auto *e = new dataaware::DBEdit;
        e->setDataSource(entrySource_);
        e->setDataField(field);
        return e;
    };
    DBEdit1 = edit(QStringLiteral("Data_Retirada"));
    DBEdit2 = edit(QStringLiteral("Responsavel"));
    DBEdit3 = edit(QStringLiteral("Telefone"));
    DBEdit4 = edit(QStringLiteral("Data_Entrega"));
    label(QStringLiteral("Data Retirada"), DBEdit1, 4, 0);
    label(QStringLiteral("Responsável"), DBEdit2, 4, 1);
    label(QStringLiteral("Telefone"), DBEdit3, 6, 0);
    label(QStringLiteral("Data Entrega"), DBEdit4, 6, 1);
    grid->setColumnStretch(1, 2);

    BitBtn1 = makeOkButton(QStringLiteral("Efetua a retirada do Título Atual"));
    grid->setRowMinimumHeight(8, 6);
    grid->addWidget(BitBtn1, 9, 1, Qt::AlignRight | Qt::AlignBottom);
    grid->setRowStretch(9, 1);

    QWidget *order[] = {DBLookupComboBox1, combo_titulo, DBEdit1, DBEdit2, DBEdit3, DBEdit4, BitBtn1};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);

    connect(DBLookupComboBox1, &QComboBox::activated, this, melvora::reportingErrors([this] { DBLookupComboBox1Click(); }));
    connect(BitBtn1, &QPushButton::clicked, this, melvora::reportingErrors([this] { BitBtn1Click(); }));
    dataaware::onKeyPress(DBEdit1, [this](QChar &k) { DBEdit1KeyPress(k); });
    dataaware::onKeyPress(DBEdit4, [this](QChar &k) { DBEdit4KeyPress(k); });
    dataaware::onKeyPress(DBLookupComboBox1, [this](QChar &k) { DBLookupComboBox1KeyPress(k); });
    dataaware::onKeyPress(combo_titulo, [this](QChar &k) { combo_tituloKeyPress(k); });
    dataaware::onKeyPress(DBEdit2, [this](QChar &k) { DBEdit2KeyPress(k); });
    dataaware::onKeyPress(DBEdit3, [this](QChar &k) { DBEdit3KeyPress(k); });

    showInFrame(contents_, false); // where the frame places a new window
    FormShow();
}

TRetiradaForm::~TRetiradaForm()
{
    // Destroyed without FormClose (the end of the program): the entry is dropped, never stored.
    try {
        if (entry_.isOpen() && entry_.state() == tables::TableState::Insert)
            entry_.cancel();
    } catch (const tables::EngineError &) {
        // A disk that failed cannot even be read back now; nothing was stored, and a destructor
        // has no one to tell.
    }
}

void TRetiradaForm::FormShow()
{
    entry_.append();
}

// The titles of the artist's CDs on the shelf, walking CD from its first record in the order
// selected; nothing is cached between fills.
void TRetiradaForm::listTitles(const QString &artist)
{
    tables::Table *cd = DataModule1->CD;
    combo_titulo->clear();
    QStringList titles;
    const int count = cd->recordCount();
    for (int i = 0; i < count; ++i) {
        if (cd->fieldText(QStringLiteral("retirada")) == QLatin1String("N")
            && cd->fieldText(QStringLiteral("artista")) == artist)
            titles << cd->fieldText(QStringLiteral("titulo"));
        cd->next();
    }
    combo_titulo->addItems(titles);
}

void TRetiradaForm::DBLookupComboBox1Click()
{
    DataModule1->CD->selectIndex(melvora::index::ititulo);
    DataModule1->CD->first();
    listTitles(DBLookupComboBox1->currentText());
    // A title chosen for another artist is not this artist's to lend.
    const QString titulo = entry_.fieldText(QStringLiteral("titulo"));
    if (!titulo.isEmpty()
        && combo_titulo->findItems(titulo, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty())
        entry_.setFieldText(QStringLiteral("titulo"), QString());
}

void TRetiradaForm::BitBtn1Click()
{
    // Nothing is stored while a date shows a text the field refuses: the entry goes on.
    for (dataaware::DBEdit *date : {DBEdit1, DBEdit4}) {
        if (date->refusesText()) {
            if (!date->refusalShown())
                Mensagem(QStringLiteral("Data Inválida"));
            date->setFocus();
            return;
        }
    }
    const QString artista = entry_.fieldText(QStringLiteral("artista"));
    const QString titulo = entry_.fieldText(QStringLiteral("titulo"));
    if (artista.isEmpty() || titulo.isEmpty()) {
        Mensagem(QStringLiteral("Operação Inválida"));
        DBLookupComboBox1->setFocus();
        entry_.cancel();
        entry_.append();
        return;
    }
    // Only a CD of exactly these names on the shelf is lent; otherwise nothing is stored and
    // the entry stays for another title.
    tables::Table *cd = DataModule1->CD;
    if (!lending::findCD(*cd, artista, titulo, QStringLiteral("N"), true)) {
        Mensagem(QStringLiteral("Houve um problema no seu Banco de Dados.Dados não encontrados"));
        DBLookupComboBox1->setFocus();
        cd->first();
        listTitles(artista);
        return;
    }
    entry_.post();
    entry_.append();
    cd->edit();
    cd->setFieldText(QStringLiteral("retirada"), QStringLiteral("S"));
    cd->post();
    DBLookupComboBox1->setFocus();
    cd->first();
    // The new entry has no artist yet, so the list comes out empty until one is chosen.
    listTitles(entry_.fieldText(QStringLiteral("artista")));
}

void TRetiradaForm::dateKeyPress(dataaware::DBEdit *edit, QChar &key)
{
    if (key != QChar(13))
        return;
    QString shown = edit->displayText();
    shown.replace(u'_', u' ');
    if (!tables::dateFromText(shown)) {
        Mensagem(QStringLiteral("Data Inválida"));
        edit->setFocus();
        return;
    }
    dataaware::focusNextControl(edit, contents_);
    key = QChar(0);
}

void TRetiradaForm::enterMovesOn(QWidget *control, QChar &key)
{
    if (key != QChar(13))
        return;
    dataaware::focusNextControl(control, contents_);
    key = QChar(0);
}

void TRetiradaForm::DBEdit1KeyPress(QChar &key) { dateKeyPress(DBEdit1, key); }
void TRetiradaForm::DBEdit4KeyPress(QChar &key) { dateKeyPress(DBEdit4, key); }
void TRetiradaForm::DBLookupComboBox1KeyPress(QChar &key) { enterMovesOn(DBLookupComboBox1, key); }
void TRetiradaForm::combo_tituloKeyPress(QChar &key) { enterMovesOn(combo_titulo, key); }
void TRetiradaForm::DBEdit2KeyPress(QChar &key) { enterMovesOn(DBEdit2, key); }
void TRetiradaForm::DBEdit3KeyPress(QChar &key) { enterMovesOn(DBEdit3, key); }

void TRetiradaForm::FormClose()
{
    owner()->commandDone(Command::Retirada);
    entry_.cancel();
    for (tables::Table *t : {DataModule1->Retirada, DataModule1->CD}) {
        t->enterKeyState();
        t->post();
    }
}
