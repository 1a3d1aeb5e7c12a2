#include "pesquisa.h"
#include "ErrorReport.h"
#include "OkButton.h"

#include "DataModule.h"
#include "FormPrincipal.h"
#include "IndexNames.h"
#include "KeyPress.h"
#include "Messages.h"
#include "NameMatch.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValidator>

namespace {

// The search text holds as many characters as the fields it is compared with; the edit's own
// limit counts UTF-16 units, so a character outside the basic plane would count twice there.
class CharacterLimit : public QValidator {
public:
    CharacterLimit(int characters, QObject *parent) : QValidator(parent), characters_(characters) {}
    State validate(QString &text, int &) const override
    {
        return text.toUcs4().size() <= characters_ ? Acceptable : Invalid;
    }

private:
    int characters_;
};

} // namespace

TPesquisaform::TPesquisaform(TFormPrincipal *owner)
    : TChildForm(owner, QStringLiteral("Pesquisa"), Box::Minimise)
{
    contents_ = new QWidget;
    contents_->setFixedSize(347, 212);
    auto *layout = new QVBoxLayout(contents_);
    layout->setContentsMargins(1, 6, 1, 1);
    layout->setSpacing(6);

    texto = new QLineEdit;
    texto->setMaxLength(80);
    texto->setValidator(new CharacterLimit(40, texto));
    auto *textoLabel = new QLabel(QStringLiteral("Texto:"));
    textoLabel->setBuddy(texto);
    BitBtn1 = makeOkButton(QString());
    chk1 = new QRadioButton(QStringLiteral("Artista"));
    chk2 = new QRadioButton(QStringLiteral("Título"));
    chk3 = new QRadioButton(QStringLiteral("Música"));
    chk1->setChecked(true);
    auto *group = new QButtonGroup(this); // exactly one kind of search at a time
    for (QRadioButton *r : {chk1, chk2, chk3})
        group->addButton(r);

    auto *top = new QGridLayout;
    top->setContentsMargins(8, 0, 8, 0);
    top->addWidget(textoLabel, 0, 0);
    top->addWidget(texto, 0, 1, 1, 3);
    top->addWidget(BitBtn1, 0, 4);
    top->addWidget(chk1, 1, 1);
    top->addWidget(chk2, 1, 2);
    top->addWidget(chk3, 1, 3);
    layout->addLayout(top);
    layout->addStretch(1);

    dbg = new QTableWidget;
    dbg->setFixedSize(345, 105);
    dbg->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Row 0 holds the headers; the grid shows it as its header, which stays in place while the
    // results scroll.
    dbg->horizontalHeader()->setFixedHeight(16);
    // A grid of strings: each text starts at the left edge of its cell and is clipped at the
    // right, headers included, never centred nor cut short with an ellipsis.
    dbg->setTextElideMode(Qt::ElideNone);
    dbg->setWordWrap(false);
    dbg->horizontalHeader()->setTextElideMode(Qt::ElideNone);
    dbg->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    dbg->horizontalHeader()->setHighlightSections(false);
    dbg->verticalHeader()->hide();
    dbg->verticalHeader()->setMinimumSectionSize(16);
    dbg->verticalHeader()->setDefaultSectionSize(16);
    dbg->setShowGrid(true);
    dbg->setColumnCount(4);
    dbg->setAccessibleName(QStringLiteral("Resultado da pesquisa"));
    QPalette p = dbg->palette();
    p.setColor(QPalette::Base, contents_->palette().color(QPalette::Button));
    dbg->setPalette(p);
    layout->addWidget(dbg);

    QWidget::setTabOrder(texto, BitBtn1);
    QWidget::setTabOrder(BitBtn1, chk1);
    QWidget::setTabOrder(chk1, chk2);
    QWidget::setTabOrder(chk2, chk3);
    QWidget::setTabOrder(chk3, dbg);

    connect(BitBtn1, &QPushButton::clicked, this, melvora::reportingErrors([this] { BitBtn1Click(); }));
    connect(chk1, &QRadioButton::clicked, this, melvora::reportingErrors([this] { chk1Click(); }));
    connect(chk2, &QRadioButton::clicked, this, melvora::reportingErrors([this] { chk2Click(); }));
    connect(chk3, &QRadioButton::clicked, this, melvora::reportingErrors([this] { chk3Click(); }));
    dataaware::onKeyPress(texto, [this](QChar &k) { textoKeyPress(k); });

    showInFrame(contents_, false); // where the frame places a new window
    FormShow();
}

void TPesquisaform::setCell(int row, int col, const QString &text)
{
    QTableWidgetItem *item = dbg->item(row, col);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        dbg->setItem(row, col, item);
    }
    item->setText(text);
    if (row == 0) {
        item->setBackground(QColor(255, 255, 255));
        QTableWidgetItem *header = dbg->horizontalHeaderItem(col);
        if (!header) {
            header = new QTableWidgetItem;
            dbg->setHorizontalHeaderItem(col, header);
        }
        header->setText(text);
        header->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        header->setBackground(QColor(255, 255, 255));
    }
}

void TPesquisaform::setColumns(const QStringList &headers, const QList<int> &widths)
{
    for (int c = 0; c < 4; ++c) {
        setCell(0, c, headers[c]);
        dbg->setColumnWidth(c, widths[c]);
    }
}

void TPesquisaform::resetGrid()
{
    // One header row and one empty result row; nothing of the previous search is left.
    for (int r = 1; r < dbg->rowCount(); ++r)
        for (int c = 0; c < 4; ++c)
            delete dbg->takeItem(r, c);
    dbg->setRowCount(2);
    for (int c = 0; c < 4; ++c)
        setCell(1, c, QString());
}

void TPesquisaform::FormShow()
{
    texto->setFocus();
    dbg->setRowCount(2);
    dbg->setRowHidden(0, true); // shown as the grid's header
    setColumns({QStringLiteral("Artista"), QStringLiteral("Título"), QStringLiteral("Emprestado"),
                QStringLiteral("No.")},
               {130, 130, 30, 30});
    resetGrid();
}

void TPesquisaform::notFound()
{
    Mensagem(QStringLiteral("Não Encontrado"));
    texto->setFocus();
}

void TPesquisaform::scan(tables::Table *table, const QString &field, const QString &text,
                         const std::function<void(int row)> &write)
{
    // The scan compares as the index that found the first record does, so it lists every
    // record the key search matches, accented capitals included.
    int row = 1;
    while (!table->eof() && melvora::sameKey(table->fieldText(field), text)) {
        write(row);
        table->next();
        ++row;
        // A row is added only for a further match, so no empty row follows the last one.
        if (!table->eof() && melvora::sameKey(table->fieldText(field), text))
            dbg->setRowCount(dbg->rowCount() + 1);
    }
}

void TPesquisaform::BitBtn1Click()
{
    resetGrid();
    const QString text = texto->text();
    tables::Table *artista = DataModule1->Artista;
    tables::Table *cd = DataModule1->CD;
    tables::Table *musica = DataModule1->Musica;
    if (chk1->isChecked()) {
        setColumns({QStringLiteral("Artista"), QStringLiteral("Título"), QStringLiteral("Emprest"),
                    QStringLiteral("No.")},
                   {130, 130, 30, 30});
        artista->selectIndex(melvora::index::iartista);
        if (!artista->findKey({text})) {
            notFound();
            return;
        }
        setCell(1, 0, artista->fieldText(QStringLiteral("artista")));
        cd->selectIndex(melvora::index::iartista);
        if (!cd->findKey({text}))
            return;
        scan(cd, QStringLiteral("artista"), text, [&](int row) {
            setCell(row, 1, cd->fieldText(QStringLiteral("titulo")));
            setCell(row, 2, cd->fieldText(QStringLiteral("retirada")));
            setCell(row, 3, cd->fieldText(QStringLiteral("numero")));
        });
    } else if (chk2->isChecked()) {
        setColumns({QStringLiteral("Título"), QStringLiteral("Artista"), QStringLiteral("Emprest"),
                    QStringLiteral("No.")},
                   {130, 130, 30, 30});
        cd->selectIndex(melvora::index::ititulo);
        if (!cd->findKey({text})) {
            notFound();
            return;
        }
        scan(cd, QStringLiteral("titulo"), text, [&](int row) {
            setCell(row, 0, cd->fieldText(QStringLiteral("titulo")));
            setCell(row, 1, cd->fieldText(QStringLiteral("artista")));
            setCell(row, 2, cd->fieldText(QStringLiteral("retirada")));
            setCell(row, 3, cd->fieldText(QStringLiteral("numero")));
        });
    } else {
        setColumns({QStringLiteral("Música"), QStringLiteral("Título"), QStringLiteral("Artista"),
                    QStringLiteral("No.")},
                   {130, 130, 35, 35});
        musica->selectIndex(melvora::index::imusica);
        cd->selectIndex(melvora::index::iartista_titulo);
        if (!musica->findKey({text})) {
            notFound();
            return;
        }
        scan(musica, QStringLiteral("musica"), text, [&](int row) {
            const QString songArtist = musica->fieldText(QStringLiteral("artista"));
            const QString songTitle = musica->fieldText(QStringLiteral("titulo"));
            setCell(row, 0, musica->fieldText(QStringLiteral("musica")));
            setCell(row, 1, songTitle);
            setCell(row, 2, songArtist);
            setCell(row, 3,
                    cd->findKey({songArtist, songTitle}) ? cd->fieldText(QStringLiteral("numero"))
                                                         : QString());
        });
    }
}

void TPesquisaform::chk1Click() { texto->setFocus(); }
void TPesquisaform::chk2Click() { texto->setFocus(); }
void TPesquisaform::chk3Click() { texto->setFocus(); }

void TPesquisaform::textoKeyPress(QChar &key)
{
    if (key != QChar(13))
        return;
    dataaware::focusNextControl(texto, contents_);
    key = QChar(0);
}

void TPesquisaform::FormClose()
{
    owner()->commandDone(Command::Pesquisa);
}
