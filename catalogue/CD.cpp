#include "CD.h"

#include "ButtonGlyphs.h"
#include "Cascades.h"
#include "DBEdit.h"
#include "DBLookupComboBox.h"
#include "DBNavigator.h"
#include "DataModule.h"
#include "DateText.h"
#include "ErrorReport.h"
#include "FormPrincipal.h"
#include "IndexNames.h"
#include "KeyPress.h"
#include "Messages.h"
#include "NameMatch.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCollator>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

using catalogue::RegisterState;

QString CDArtistaAnterior;
QString CDTituloAnterior;

namespace {

QPushButton *glyphButton(const QString &caption, catalogue::Glyph glyph)
{
    auto *b = new QPushButton(catalogue::buttonGlyph(glyph), caption);
    b->setAutoDefault(true); // Enter on a focused button presses it
    b->setMinimumWidth(84);
    return b;
}

// A display-only field: disabled, on the button face.
void displayOnly(QLineEdit *edit)
{
    edit->setEnabled(false);
    QPalette p = edit->palette();
    p.setColor(QPalette::Disabled, QPalette::Base, p.color(QPalette::Button));
    edit->setPalette(p);
}

// A line of the song list; under "Alfabética" lines sort in Portuguese dictionary order,
// letter case aside, as the program's indexes order names.
class SongItem : public QListWidgetItem {
public:
    explicit SongItem(const QString &text) : QListWidgetItem(text) {}

    bool operator<(const QListWidgetItem &other) const override
    {
        return collator().compare(text(), other.text()) < 0;
    }

private:
    static const QCollator &collator()
    {
        static const QCollator c = [] {
            QCollator col(QLocale(QLocale::Portuguese, QLocale::Brazil));
            col.setCaseSensitivity(Qt::CaseInsensitive);
            return col;
        }();
        return c;
    }
};

void setTabChain(std::initializer_list<QWidget *> order)
{
    const QWidget *previous = nullptr;
    for (QWidget *w : order) {
        if (previous)
            QWidget::setTabOrder(const_cast<QWidget *>(previous), w);
        previous = w;
    }
}

} // namespace

TCDForm::TCDForm(TFormPrincipal *owner) : TChildForm(owner, QStringLiteral("CD"), Box::Minimise)
{
    setObjectName(QStringLiteral("CDForm"));
    PageControl1 = new QTabWidget;
    PageControl1->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    TabSheet1 = buildCDPage();
    TabSheet2 = buildSongPage();
    PageControl1->addTab(TabSheet1, QStringLiteral("CD"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Músicas"));
    PageControl1->setCurrentWidget(TabSheet1);

    connect(PageControl1, &QTabWidget::currentChanged, this, melvora::reportingErrors(this, &TCDForm::PageControl1Change));
    connect(qApp, &QApplication::focusChanged, this, melvora::reportingErrors(this, &TCDForm::focusChanged));
    showInFrame(PageControl1, false); // the frame's default place for a new window
}

QWidget *TCDForm::buildCDPage()
{
    auto *page = new QWidget;
    dataaware::DataSource *cd = DataModule1->CDSource;
    auto bound = [cd](const QString &field) {
        auto *e = new dataaware::DBEdit;
        e->setDataSource(cd);
        e->setDataField(field);
        return e;
    };
    Label1 = new QLabel(QStringLiteral("Título"));
    DBEdit1 = bound(QStringLiteral("Titulo"));
    DBEdit1->setMinimumWidth(280);
    Label10 = new QLabel(QStringLiteral("Número"));
    DBEdit5 = bound(QStringLiteral("Numero"));
    DBEdit5->setFixedWidth(48);
    Label2 = new QLabel(QStringLiteral("Aquisição"));
    DBEdit2 = bound(QStringLiteral("Aquisicao"));
    DBEdit2->setFixedWidth(76);
    Label3 = new QLabel(QStringLiteral("Artista"));
    DBLookupComboBox1 = new dataaware::DBLookupComboBox;
    DBLookupComboBox1->setListSource(DataModule1->ArtistaSource);
    DBLookupComboBox1->setKeyField(QStringLiteral("Artista"));
    DBLookupComboBox1->setListField(QStringLiteral("Artista"));
    DBLookupComboBox1->setDataSource(cd);
    DBLookupComboBox1->setDataField(QStringLiteral("Artista"));
    DBLookupComboBox1->setMinimumWidth(200);
    Label4 = new QLabel(QStringLiteral("Estilo"));
    DBEdit4 = bound(QStringLiteral("Estilo"));
    DBEdit4->setFixedWidth(160);
    Label5 = new QLabel(QStringLiteral("Emprestado"));
    DBEdit3 = bound(QStringLiteral("Retirada"));
    DBEdit3->setFixedWidth(30);
    displayOnly(DBEdit3);
    DBNavigator1 = new dataaware::DBNavigator;
    DBNavigator1->setDataSource(cd);
    BitBtn7 = glyphButton(QStringLiteral("Gravar"), catalogue::Glyph::Gravar);
    BitBtn5 = glyphButton(QStringLiteral("Inserir"), catalogue::Glyph::Inserir);
    BitBtn6 = glyphButton(QStringLiteral("Apagar"), catalogue::Glyph::Apagar);
    BitBtn1 = glyphButton(QStringLiteral("Cancela"), catalogue::Glyph::Cancela);
    BitBtn2 = glyphButton(QStringLiteral("Editar"), catalogue::Glyph::Editar);
    Label1->setBuddy(DBEdit1);
    Label10->setBuddy(DBEdit5);
    Label2->setBuddy(DBEdit2);
    Label3->setBuddy(DBLookupComboBox1);
    Label4->setBuddy(DBEdit4);
    Label5->setBuddy(DBEdit3);

    // Title and number; date, artist and flag; style; the navigator; the buttons.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(DBEdit1, 1, 0, 1, 2);
    grid->addWidget(Label10, 0, 2);
    grid->addWidget(DBEdit5, 1, 2);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(DBEdit2, 3, 0);
    grid->addWidget(Label3, 2, 1);
    grid->addWidget(DBLookupComboBox1, 3, 1);
    grid->addWidget(Label5, 2, 2);
    grid->addWidget(DBEdit3, 3, 2, Qt::AlignLeft);
    grid->addWidget(Label4, 4, 0, 1, 2);
    grid->addWidget(DBEdit4, 5, 0, 1, 2, Qt::AlignLeft);
    for (int row : {2, 4})
        grid->setRowMinimumHeight(row, 22);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {BitBtn5, BitBtn2, BitBtn6, BitBtn7, BitBtn1})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addWidget(DBNavigator1, 0, Qt::AlignLeft);
    layout->addStretch(1);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    setTabChain({DBEdit1, DBEdit5, DBEdit2, DBLookupComboBox1, DBEdit4, BitBtn7, BitBtn5, BitBtn6,
                 DBEdit3, DBNavigator1, BitBtn1, BitBtn2});

    connect(BitBtn7, &QPushButton::clicked, this, melvora::reportingErrors(this, &TCDForm::BitBtn7Click));
    connect(BitBtn5, &QPushButton::clicked, this, melvora::reportingErrors(this, &TCDForm::BitBtn5Click));
    connect(BitBtn6, &QPushButton::clicked, this, melvora::reportingErrors(this, &TCDForm::BitBtn6Click));
    connect(BitBtn1, &QPushButton::clicked, this, melvora::reportingErrors(this, &TCDForm::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, melvora::reportingErrors(this, &TCDForm::BitBtn2Click));
    dataaware::onKeyPress(DBEdit1, [this](QChar &k) { DBEdit1KeyPress(k); });
    dataaware::onKeyPress(DBEdit5, [this](QChar &k) { DBEdit5KeyPress(k); });
    dataaware::onKeyPress(DBEdit2, [this](QChar &k) { DBEdit2KeyPress(k); });
    dataaware::onKeyPress(DBLookupComboBox1, [this](QChar &k) { DBLookupComboBox1KeyPress(k); });
    dataaware::onKeyPress(DBEdit4, [this](QChar &k) { DBEdit4KeyPress(k); });
    return page;
}

QWidget *TCDForm::buildSongPage()
{
    auto *page = new QWidget;
    BitBtn3 = glyphButton(QStringLiteral("Apagar"), catalogue::Glyph::Apagar);
    Label8 = new QLabel(QStringLiteral("Música"));
    t_musica = new QLineEdit;
    t_musica->setMaxLength(40);
    t_musica->setMinimumWidth(180);
    BitBtn8 = glyphButton(QStringLiteral("Inserir"), catalogue::Glyph::Inserir);
    Label9 = new QLabel(QStringLiteral("Relação de Músicas"));
    ListBox1 = new QListWidget;
    ListBox1->setSortingEnabled(false);
    ListBox1->setMinimumSize(220, 170);
    Label6 = new QLabel(QStringLiteral("Artista"));
    t_artista = new QLineEdit;
    displayOnly(t_artista);
    Label7 = new QLabel(QStringLiteral("Titulo"));
    t_titulo = new QLineEdit;
    displayOnly(t_titulo);
    GroupBox1 = new QGroupBox(QStringLiteral("Ordem"));
    RadioButton1 = new QRadioButton(QStringLiteral("Normal"));
    RadioButton2 = new QRadioButton(QStringLiteral("Alfabética"));
    RadioButton1->setChecked(true);
    auto *orderLayout = new QVBoxLayout(GroupBox1);
    orderLayout->addWidget(RadioButton1);
    orderLayout->addWidget(RadioButton2);
    Label8->setBuddy(t_musica);
    Label9->setBuddy(ListBox1);
    Label6->setBuddy(t_artista);
    Label7->setBuddy(t_titulo);

    // Artist and title at the top; the song edit with "Inserir" and, under it, "Apagar" to its
    // right and the group "Ordem" below; the list in the right half.
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    grid->addWidget(Label6, 0, 0);
    grid->addWidget(t_artista, 1, 0);
    grid->addWidget(Label7, 0, 1, 1, 2);
    grid->addWidget(t_titulo, 1, 1, 1, 2);
    grid->setRowMinimumHeight(2, 10);
    grid->addWidget(Label8, 3, 0);
    grid->addWidget(t_musica, 4, 0);
    auto *songButtons = new QVBoxLayout;
    songButtons->addWidget(BitBtn8);
    songButtons->addWidget(BitBtn3);
    grid->addLayout(songButtons, 4, 1, 2, 1, Qt::AlignTop);
    grid->addWidget(GroupBox1, 6, 0, 1, 2, Qt::AlignTop);
    grid->addWidget(Label9, 3, 2);
    grid->addWidget(ListBox1, 4, 2, 4, 1);
    grid->setRowStretch(7, 1);

    setTabChain({BitBtn3, t_musica, BitBtn8, ListBox1, t_artista, t_titulo, RadioButton1, RadioButton2});

    connect(BitBtn8, &QPushButton::clicked, this, melvora::reportingErrors(this, &TCDForm::BitBtn8Click));
    connect(BitBtn3, &QPushButton::clicked, this, melvora::reportingErrors(this, &TCDForm::BitBtn3Click));
    connect(RadioButton1, &QRadioButton::clicked, this, melvora::reportingErrors(this, &TCDForm::RadioButton1Click));
    connect(RadioButton2, &QRadioButton::clicked, this, melvora::reportingErrors(this, &TCDForm::RadioButton2Click));
    dataaware::onKeyPress(t_musica, [this](QChar &k) { t_musicaKeyPress(k); });
    return page;
}

void TCDForm::setState(RegisterState state)
{
    catalogue::applyRegisterState({DBNavigator1, BitBtn5, BitBtn2, BitBtn6, BitBtn7, BitBtn1}, state);
}

void TCDForm::paintEvent(QPaintEvent *event)
{
    TChildForm::paintEvent(event);
    if (!painted_) {
        painted_ = true;
        // Once drawn, the window opens its tables (outside the paint itself).
        QTimer::singleShot(0, this, melvora::reportingErrors(this, &TCDForm::FormPaint));
    }
}

void TCDForm::FormPaint()
{
    PageControl1->setCurrentWidget(TabSheet1);
    DataModule1->Artista->first();
    DataModule1->CD->selectIndex(melvora::index::ititulo);
    DataModule1->CD->first();
    DBEdit1->setFocus();
    setState(RegisterState::Opened);
}

bool TCDForm::CDValido()
{
    const tables::Table *cd = DataModule1->CD;
    if (cd->fieldText(QStringLiteral("Artista")).isEmpty()
        || cd->fieldText(QStringLiteral("Titulo")).isEmpty()) {
        Mensagem(QStringLiteral("Operação Inválida."));
        return false;
    }
    return true;
}

TCDForm::~TCDForm()
{
    // Destroyed without FormClose (the end of the program): a CD with artist and title is
    // still saved with its songs' new title, anything else dropped, without a message.
    tables::Table *cd = DataModule1 ? DataModule1->CD : nullptr;
    if (!cd || !cd->isOpen())
        return;
    cd->setSettleDelegate({});
    if (!BitBtn7->isEnabled())
        return;
    try {
        if (typedSomething() && !DBEdit2->refusesText() && !cd->fieldText(QStringLiteral("Artista")).isEmpty()
            && !cd->fieldText(QStringLiteral("Titulo")).isEmpty())
            save();
        else
            cd->cancel();
    } catch (const tables::EngineError &) {
        // Nothing is left to tell at the end of the program, and nothing of the failed save may
        // be stored by the tables' own closing: the edit is dropped.
        cd->setSettleDelegate({});
        try {
            cd->cancel();
        } catch (const tables::EngineError &) {
            // unreadable now: the tables' closing finds nothing pending to store
        }
    }
}

bool TCDForm::typedSomething() const
{
    const tables::Table *cd = DataModule1->CD;
    if (cd->state() != tables::TableState::Insert)
        return cd->modified();
    // A new CD holding nothing but its "N" flag was not typed by anyone.
    for (const tables::FieldDef &f : cd->fields())
        if (f.name.compare(QStringLiteral("Retirada"), Qt::CaseInsensitive) != 0
            && !cd->fieldText(f.name).isEmpty())
            return true;
    return false;
}

void TCDForm::ownPendingEdit()
{
    DataModule1->CD->setSettleDelegate([this] { settlePending(); });
}

void TCDForm::settlePending()
{
    setState(RegisterState::Browse);
    if (!typedSomething()) {
        DataModule1->CD->cancel();
        return;
    }
    // The edit cannot wait for a date here: a CD is never stored without the date typed for it.
    if (DBEdit2->refusesText()) {
        Mensagem(QStringLiteral("Data Inválida"));
        DataModule1->CD->cancel();
        return;
    }
    save();
}

bool TCDForm::dateRefused()
{
    if (!DBEdit2->refusesText())
        return false;
    // From the songs' page the date is out of sight: the message says why nothing happens.
    if (!DBEdit2->refusalShown() || !DBEdit2->isVisible())
        Mensagem(QStringLiteral("Data Inválida"));
    DBEdit2->setFocus();
    return true;
}

void TCDForm::closeEvent(QCloseEvent *event)
{
    // Nothing is stored until the date is one or cleared: the window stays open for it.
    if (dateRefused()) {
        event->ignore();
        return;
    }
    // A typed CD that Gravar would refuse keeps the window open with Gravar's message: closing
    // would drop what was typed.
    const tables::Table *cd = DataModule1->CD;
    if (BitBtn7->isEnabled() && typedSomething()
        && (cd->fieldText(QStringLiteral("Artista")).isEmpty() || cd->fieldText(QStringLiteral("Titulo")).isEmpty())) {
        CDValido();
        PageControl1->setCurrentWidget(TabSheet1);
        if (cd->fieldText(QStringLiteral("Titulo")).isEmpty())
            DBEdit1->setFocus();
        else
            DBLookupComboBox1->setFocus();
        event->ignore();
        return;
    }
    TChildForm::closeEvent(event);
}

bool TCDForm::save()
{
    tables::Table *cd = DataModule1->CD;
    cd->setSettleDelegate({});
    if (!CDValido()) {
        cd->cancel();
        return false;
    }
    const bool edited = cd->state() == tables::TableState::Edit;
    try {
        cd->post();
    } catch (const tables::EngineError &) {
        // Nothing was stored and the typed CD is still pending, Gravar and Cancelar with it:
        // whatever settles it later comes back here, so that a new title is carried into the
        // songs then.
        setState(edited ? RegisterState::Edit : RegisterState::Insert);
        ownPendingEdit();
        throw;
    }
    const QString novo = cd->fieldText(QStringLiteral("Titulo"));
    if (edited)
        catalogue::retitleSongs(*DataModule1->Musica, CDArtistaAnterior, CDTituloAnterior, novo);
    return true;
}

void TCDForm::BitBtn5Click()
{
    DataModule1->CD->append(); // a typed new CD still pending is saved first
    DataModule1->CD->setFieldText(QStringLiteral("Retirada"), QStringLiteral("N"));
    DBEdit1->setFocus();
    setState(RegisterState::Insert);
    ownPendingEdit();
}

void TCDForm::BitBtn2Click()
{
    tables::Table *cd = DataModule1->CD;
    // Pressed again during the edit, it keeps the names the edit started from.
    if (cd->state() != tables::TableState::Edit) {
        CDArtistaAnterior = cd->fieldText(QStringLiteral("Artista"));
        CDTituloAnterior = cd->fieldText(QStringLiteral("Titulo"));
    }
    DBEdit1->setFocus();
    cd->edit(); // on an empty table this starts a new record
    // A new CD is on the shelf, however it was started: with no flag no checkout offers it.
    if (cd->state() == tables::TableState::Insert)
        cd->setFieldText(QStringLiteral("Retirada"), QStringLiteral("N"));
    setState(RegisterState::Edit);
    ownPendingEdit();
}

void TCDForm::BitBtn7Click()
{
    if (dateRefused())
        return; // the edit goes on
    setState(RegisterState::Browse);
    if (!save()) {
        DBEdit1->setFocus();
        return;
    }
    BitBtn5->setFocus();
}

void TCDForm::BitBtn1Click()
{
    DataModule1->CD->cancel();
    setState(RegisterState::Browse);
}

void TCDForm::BitBtn6Click()
{
    if (!CDValido()) {
        DBEdit1->setFocus();
        return;
    }
    setState(RegisterState::Asking);
    if (Confirma(QStringLiteral("Confirma exclusão?")))
        DataModule1->CD->deleteRecord(); // only the CD: its songs and checkouts stay
    DBEdit1->setFocus();
    setState(RegisterState::AfterDelete);
}

void TCDForm::nextOnEnter(QWidget *from, QChar &key)
{
    if (key == QChar(13)) {
        dataaware::focusNextControl(from, from->parentWidget());
        key = QChar(0);
    }
}

void TCDForm::DBEdit1KeyPress(QChar &key) { nextOnEnter(DBEdit1, key); }
void TCDForm::DBEdit5KeyPress(QChar &key) { nextOnEnter(DBEdit5, key); }
void TCDForm::DBLookupComboBox1KeyPress(QChar &key) { nextOnEnter(DBLookupComboBox1, key); }
void TCDForm::DBEdit4KeyPress(QChar &key) { nextOnEnter(DBEdit4, key); }

void TCDForm::DBEdit2KeyPress(QChar &key)
{
    if (key != QChar(13))
        return;
    if (!tables::dateFromText(DBEdit2->text())) {
        Mensagem(QStringLiteral("Data Inválida"));
        DBEdit2->setFocus();
        return; // the key is not consumed and the focus stays
    }
    nextOnEnter(DBEdit2, key);
}

void TCDForm::PageControl1Change()
{
    if (PageControl1->currentWidget() == TabSheet2) {
        t_musica->clear();
        t_musica->setFocus();
    } else {
        DBEdit1->setFocus();
    }
}

void TCDForm::focusChanged(QWidget *old, QWidget *now)
{
    // The focus entering the song page from elsewhere: this window's other page, or another
    // window, where the CD or its artist may have been renamed or deleted meanwhile.
    const bool intoPage = now && TabSheet2->isAncestorOf(now);
    const bool fromOutside = !old || !TabSheet2->isAncestorOf(old);
    if (intoPage && fromOutside) {
        TabSheet2Enter();
        // Tab or a click that brought the focus to another control of the page leaves it there.
        if (now != t_musica)
            now->setFocus();
    }
}

void TCDForm::focusSongEdit()
{
    t_musica->setFocus();
    t_musica->selectAll(); // typing the next name replaces the one shown
}

void TCDForm::TabSheet2Enter()
{
    CarregaMusicas();
}

void TCDForm::CarregaMusicas()
{
    ListBox1->clear();
    const tables::Table *cd = DataModule1->CD;
    t_artista->setText(cd->fieldText(QStringLiteral("Artista")));
    t_titulo->setText(cd->fieldText(QStringLiteral("Titulo")));
    tables::Table *musica = DataModule1->Musica;
    musica->first();
    musica->selectIndex(melvora::index::iartistatitulo);
    const QString artista = t_artista->text();
    const QString titulo = t_titulo->text();
    if (musica->findKey({artista, titulo})) {
        // The walk covers every record the index holds under the CD's key, whose order ignores
        // letter case; among them the CD's songs are those whose names match as the program
        // matches names (A to Z folded), so one spelt otherwise does not end the list.
        while (!musica->eof()) {
            const QString songArtist = musica->fieldText(QStringLiteral("Artista"));
            const QString songTitle = musica->fieldText(QStringLiteral("Titulo"));
            if (!melvora::sameKey(songArtist, artista) || !melvora::sameKey(songTitle, titulo))
                break;
            if (melvora::sameNameAZ(songArtist, artista) && melvora::sameNameAZ(songTitle, titulo))
                ListBox1->addItem(new SongItem(musica->fieldText(QStringLiteral("Musica"))));
            musica->next();
        }
    }
    focusSongEdit();
}

void TCDForm::RadioButton1Click()
{
    ListBox1->setSortingEnabled(false);
    CarregaMusicas();
}

void TCDForm::RadioButton2Click()
{
    ListBox1->setSortingEnabled(true);
    ListBox1->sortItems(Qt::AscendingOrder);
    focusSongEdit();
}

void TCDForm::BitBtn8Click()
{
    const char *missing = t_musica->text().isEmpty()    ? "Campo MÚSICA deve estar preenchido"
                          : t_artista->text().isEmpty() ? "Campo ARTISTA deve estar preenchido"
                          : t_titulo->text().isEmpty()  ? "Campo TÍTULO deve estar preenchido"
                                                        : nullptr;
    if (missing) {
        Mensagem(QString::fromUtf8(missing));
        focusSongEdit();
        return;
    }
    tables::Table *musica = DataModule1->Musica;
    musica->append();
    musica->setFieldText(QStringLiteral("Artista"), t_artista->text());
    musica->setFieldText(QStringLiteral("Titulo"), t_titulo->text());
    musica->setFieldText(QStringLiteral("Musica"), t_musica->text());
    musica->post();
    ListBox1->addItem(new SongItem(t_musica->text())); // its sorted place under "Alfabética"
    focusSongEdit();
}

bool TCDForm::findListedSong(const QString &name)
{
    tables::Table *musica = DataModule1->Musica;
    const QString artista = t_artista->text();
    const QString titulo = t_titulo->text();
    if (!musica->findKey({artista, titulo, name}))
        return false;
    // The key search ignores case, accented capitals included; the song deleted is one the
    // list shows: of this CD's names as the program matches them, and of exactly that name.
    for (; !musica->eof(); musica->next()) {
        const QString songArtist = musica->fieldText(QStringLiteral("Artista"));
        const QString songTitle = musica->fieldText(QStringLiteral("Titulo"));
        const QString song = musica->fieldText(QStringLiteral("Musica"));
        if (!melvora::sameKey(songArtist, artista) || !melvora::sameKey(songTitle, titulo)
            || !melvora::sameKey(song, name))
            return false;
        if (song == name && melvora::sameNameAZ(songArtist, artista)
            && melvora::sameNameAZ(songTitle, titulo))
            return true;
    }
    return false;
}

void TCDForm::BitBtn3Click()
{
    tables::Table *musica = DataModule1->Musica;
    musica->selectIndex(melvora::index::iartistatitulomusica);
    QListWidgetItem *line = ListBox1->currentItem();
    if (line && line->isSelected() && findListedSong(line->text())) {
        musica->deleteRecord();
        delete line;
        // The list would make the next line current and selected: a second click must not
        // delete a song nobody chose.
        ListBox1->setCurrentRow(-1);
        ListBox1->clearSelection();
    }
    focusSongEdit();
}

void TCDForm::t_musicaKeyPress(QChar &key)
{
    nextOnEnter(t_musica, key);
}

void TCDForm::FormClose()
{
    owner()->commandDone(Command::CD);
    tables::Table *cd = DataModule1->CD;
    cd->settle(); // a pending edit goes through settlePending
    DataModule1->Artista->settle();
    DataModule1->Musica->settle();
}
