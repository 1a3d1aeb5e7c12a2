#include "Table.h"
#include "DateText.h"
#include "TableFile.h"

#include <QFileInfo>
#include <algorithm>
#include <iterator>

namespace tables {

// A forward statement kept running while the cursor walks with next() and the data does not
// change: each step is then a plain b-tree step instead of a fresh keyed search.
struct Table::Scan {
    Statement stmt;
    int slot = -2;
    quint64 version = 0;
    qint64 lastRid = 0; // the row the statement returned last; the scan goes on from it
    bool active = false;
};

namespace {

// Every surrogate in its pair: exactly what UTF-8 can store and give back.
// The number of characters (code points) of text, or -1 when it holds half a character.
qsizetype characterCount(const QString &text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++count) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return -1;
    }
    return count;
}

QString notOpen(const QString &file)
{
    return QStringLiteral("A tabela %1 não está aberta").arg(QFileInfo(file).fileName());
}

} // namespace

Table::Table(QString fileName, QObject *parent) : QObject(parent), fileName_(std::move(fileName)) {}

Table::~Table()
{
    try {
        close();
    } catch (const EngineError &) {
        // Destruction cannot report; the pending action was rolled back.
    }
}

void Table::setFileName(const QString &fileName)
{
    if (isOpen())
        throw EngineError(QStringLiteral("A tabela %1 está aberta").arg(QFileInfo(fileName_).fileName()));
    fileName_ = fileName;
}

void Table::open(OpenMode mode)
{
    if (isOpen())
        return;
    file_ = TableFile::acquire(fileName_, mode);
    file_->attachCursor(this);
    index_ = -1;
    state_ = TableState::Browse;
    goFirst();
    bof_ = true;
    eof_ = rid_ == 0;
    emit stateChanged();
    emit dataChanged();
    checkInvariants();
    emit recordChanged();
}

void Table::close()
{
    if (!isOpen())
        return;
    try {
        settle();
    } catch (...) {
        scan_.reset();
        file_->detachCursor(this);
        file_.reset();
        state_ = TableState::Inactive;
        throw;
    }
    scan_.reset();
    file_->detachCursor(this);
    file_.reset(); // the last cursor on a file commits and closes it
    state_ = TableState::Inactive;
    clearPosition();
    values_.clear();
    emit stateChanged();
    emit dataChanged();
    emit recordChanged();
}

#ifndef NDEBUG
void Table::checkInvariants() const
{
    Q_ASSERT_X(isOpen() == (state_ != TableState::Inactive), "Table", "open exactly when not inactive");
    if (!isOpen())
        return;
    Q_ASSERT_X(values_.size() == file_->schema().size(), "Table", "a buffer holds every field");
    if (state_ != TableState::Browse)
        return;
    Q_ASSERT_X(rid_ != 0 || (bof_ && eof_), "Table", "no current record: at both ends");
    if (rid_ != 0)
        for (int p = 0; p < 3; ++p)
            Q_ASSERT_X(keys_[p] == keyOf(p), "Table", "the current keys are the buffer's");
}
#endif

void Table::requireOpen() const
{
    if (!isOpen())
        throw EngineError(notOpen(fileName_));
}

const Schema &Table::fields() const
{
    requireOpen();
    return file_->schema();
}

int Table::fieldIndex(const QString &name) const
{
    return isOpen() ? file_->fieldIndex(name) : -1;
}

int Table::requireField(const QString &name) const
{
    requireOpen();
    const int f = file_->fieldIndex(name);
    if (f < 0)
        throw EngineError(QStringLiteral("Campo '%1' não encontrado na tabela %2")
                              .arg(name, file_->displayName()));
    return f;
}

void Table::setState(TableState s)
{
    if (state_ == s)
        return;
    state_ = s;
    if (s != TableState::Edit && s != TableState::Insert)
        settleDelegate_ = nullptr;
    emit stateChanged();
}

// ---- position --------------------------------------------------------------------------------

void Table::clearPosition()
{
    rid_ = 0;
    for (auto &k : keys_)
        k.clear();
    values_.clear();
    if (isOpen())
        for (int i = 0; i < file_->schema().size(); ++i)
            values_.push_back(QString());
}

QByteArray Table::keyOf(int part) const
{
    return index_ >= 0 ? file_->keyFor(*file_->indexSlots()[size_t(index_)], part, values_) : QByteArray();
}

void Table::loadRecord(qint64 rid)
{
    if (rid == 0 || !file_->readRecord(rid, values_)) {
        clearPosition();
        return;
    }
    rid_ = rid;
    for (int p = 0; p < 3; ++p)
        keys_[p] = keyOf(p);
}

void Table::moveTo(qint64 rid)
{
    loadRecord(rid);
    emit recordChanged();
}

void Table::resetScan()
{
    if (scan_ && scan_->active) {
        scan_->stmt.reset();
        scan_->active = false;
    }
}

bool Table::stepForward()
{
    if (!scan_)
        scan_ = std::make_unique<Scan>();
    Scan &s = *scan_;
    if (s.slot != index_) {
        s.stmt = Statement(file_->db(), file_->path(), file_->scanSql(index_));
        s.slot = index_;
        s.active = false;
    }
    if (!s.active || s.version != file_->version() || s.lastRid != rid_) {
        s.stmt.reset();
        for (int p = 0; p < 3; ++p)
            s.stmt.bindBlob(p + 1, keys_[p]);
        s.stmt.bind(4, rid_ == 0 ? qint64(-1) : rid_);
        s.version = file_->version();
        s.active = true;
    }
    if (!s.stmt.step()) {
        s.stmt.reset();
        s.active = false;
        return false;
    }
    rid_ = s.stmt.int64(0);
    s.lastRid = rid_;
    for (int p = 0; p < 3; ++p)
        keys_[p] = s.stmt.blob(p + 1);
    const int n = int(file_->schema().size());
    values_.clear();
    for (int i = 0; i < n; ++i)
        values_.push_back(s.stmt.text(4 + i));
    return true;
}

bool Table::goFirst()
{
    rid_ = 0;
    for (auto &k : keys_)
        k.clear();
    resetScan();
    if (stepForward())
        return true;
    clearPosition();
    return false;
}

bool Table::stepBackward()
{
    resetScan();
    qint64 rid = 0;
    if (index_ < 0) {
        Statement &st = file_->priorDefault();
        st.reset();
        st.bind(1, rid_);
        if (st.step())
            rid = st.int64(0);
        st.reset();
    } else {
        Statement &st = file_->indexSlots()[size_t(index_)]->priorRow;
        st.reset();
        for (int p = 0; p < 3; ++p)
            st.bindBlob(p + 1, keys_[p]);
        st.bind(4, rid_);
        if (st.step())
            rid = st.int64(0);
        st.reset();
    }
    if (rid == 0)
        return false;
    loadRecord(rid);
    return true;
}

bool Table::goLast()
{
    resetScan();
    Statement &st = index_ < 0 ? file_->lastDefault() : file_->indexSlots()[size_t(index_)]->lastRow;
    st.reset();
    const qint64 rid = st.step() ? st.int64(0) : 0;
    st.reset();
    loadRecord(rid);
    return rid != 0;
}

void Table::first()
{
    requireOpen();
    settle();
    goFirst();
    bof_ = true;
    eof_ = rid_ == 0;
    checkInvariants();
    emit recordChanged();
}

void Table::last()
{
    requireOpen();
    settle();
    goLast();
    eof_ = true;
    bof_ = rid_ == 0;
    checkInvariants();
    emit recordChanged();
}

void Table::next()
{
    requireOpen();
    settle();
    if (eof_)
        return;
    bof_ = false;
    if (!(rid_ != 0 && stepForward()))
        eof_ = true; // stays on the last record; the flag change is news all the same
    checkInvariants();
    emit recordChanged();
}

void Table::prior()
{
    requireOpen();
    settle();
    if (bof_)
        return;
    eof_ = false;
    if (!(rid_ != 0 && stepBackward()))
        bof_ = true;
    checkInvariants();
    emit recordChanged();
}

bool Table::isEmpty() const
{
    return recordCount() == 0;
}

int Table::recordCount() const
{
    requireOpen();
    return file_->recordCount();
}

// After the current record vanished: the record after its old place, else the new last one.
void Table::repositionAfterLoss()
{
    // With no record yet, the forward step from the start finds the first one.
    if (!stepForward() && !goLast())
        clearPosition();
    bof_ = eof_ = rid_ == 0;
}

void Table::dropEditOfAction(quint64 action)
{
    if (state_ != TableState::Edit || editAction_ != action)
        return;
    // Back to the record as it was when the edit began, without reading: the disk that failed
    // may not be readable yet. The shared file's refresh reads it again when it can.
    values_ = original_;
    modified_ = false;
    setState(TableState::Browse);
}

void Table::otherCursorChangedData()
{
    resetScan();
    if (state_ != TableState::Edit && state_ != TableState::Insert) {
        QStringList current;
        if (rid_ != 0 && file_->readRecord(rid_, current)) {
            values_ = current;
            for (int p = 0; p < 3; ++p)
                keys_[p] = keyOf(p);
        } else {
            repositionAfterLoss();
        }
    }
    emit dataChanged();
    emit recordChanged();
}

// ---- indexes ---------------------------------------------------------------------------------

void Table::selectIndex(const QString &indexName)
{
    requireOpen();
    settle();
    int slot = -1;
    if (!indexName.isEmpty()) {
        slot = file_->slotByName(indexName);
        if (slot < 0)
            throw EngineError(QStringLiteral("Índice '%1' não encontrado na tabela %2")
                                  .arg(indexName, file_->displayName()));
    }
    resetScan();
    index_ = slot;
    for (int p = 0; p < 3; ++p)
        keys_[p] = rid_ ? keyOf(p) : QByteArray();
    // The flags of the old order say nothing about the new one: the record stays, with
    // neighbours on both sides as far as anyone knows until the next move.
    bof_ = eof_ = rid_ == 0;
    emit dataChanged();
}

QString Table::selectedIndex() const
{
    return isOpen() && index_ >= 0 ? file_->indexSlots()[size_t(index_)]->name : QString();
}

QStringList Table::indexNames() const
{
    QStringList names;
    if (isOpen())
        for (const auto &s : file_->indexSlots())
            names << s->name;
    return names;
}

void Table::addIndex(const QString &name, const QString &fieldList, bool caseInsensitive)
{
    requireOpen();
    settle();
    if (name.trimmed().isEmpty())
        throw EngineError(QStringLiteral("Nome de índice vazio na tabela %1").arg(file_->displayName()));
    QVector<int> fieldPositions;
    for (const QString &f : fieldList.split(u';', Qt::SkipEmptyParts))
        fieldPositions.push_back(requireField(f.trimmed()));
    if (fieldPositions.isEmpty() || fieldPositions.size() > 3)
        throw EngineError(QStringLiteral("Índice '%1' da tabela %2 deve ter de um a três campos")
                              .arg(name, file_->displayName()));
    file_->addIndex(name, fieldPositions, caseInsensitive);
    // Every cursor on the file recomputes its keys: the index it follows may be this one.
    file_->dataChangedBy(nullptr);
}

bool Table::findKey(const QStringList &values)
{
    requireOpen();
    settle();
    if (index_ < 0)
        throw EngineError(QStringLiteral("Nenhum índice selecionado na tabela %1").arg(file_->displayName()));
    IndexSlot &slot = *file_->indexSlots()[size_t(index_)];
    const int n = int(values.size());
    if (n < 1 || n > slot.fields.size())
        throw EngineError(QStringLiteral("Número de valores inválido para o índice '%1' da tabela %2")
                              .arg(slot.name, file_->displayName()));
    Statement &st = slot.findKey[n - 1];
    st.reset();
    for (int p = 0; p < n; ++p) {
        QString stored = values[p];
        if (file_->schema()[slot.fields[p]].type == FieldType::Date) {
            if (isBlankDateText(stored)) {
                stored.clear();
            } else {
                const auto d = dateFromText(stored);
                if (!d)
                    return false;
                stored = d->toString(Qt::ISODate);
            }
        }
        st.bindBlob(p + 1, file_->keyFor(slot, p, stored));
    }
    const qint64 rid = st.step() ? st.int64(0) : 0;
    st.reset();
    if (rid == 0)
        return false;
    resetScan();
    bof_ = eof_ = false;
    moveTo(rid);
    checkInvariants();
    return true;
}

// ---- editing ---------------------------------------------------------------------------------

void Table::append()
{
    requireOpen();
    settle();
    ridBeforeInsert_ = rid_;
    original_ = values_;
    for (QString &v : values_)
        v.clear();
    modified_ = false;
    setState(TableState::Insert);
    emit recordChanged();
}

void Table::edit()
{
    requireOpen();
    if (state_ == TableState::Edit || state_ == TableState::Insert)
        return;
    if (state_ == TableState::Key)
        setState(TableState::Browse);
    if (rid_ == 0 || file_->recordCount() == 0) {
        append();
        return;
    }
    // The buffer is what is stored: writes through a shared cursor refresh it.
    original_ = values_;
    modified_ = false;
    editAction_ = file_->runningAction();
    setState(TableState::Edit);
}

void Table::post()
{
    requireOpen();
    if (state_ == TableState::Key) {
        setState(TableState::Browse);
        return;
    }
    if (state_ != TableState::Edit && state_ != TableState::Insert)
        return;
    // A record rewritten in place under the order being walked keeps the running scan: the
    // next step goes on from it instead of searching for it again (a rename walks every song).
    QByteArray newKeys[3];
    if (state_ == TableState::Edit)
        for (int p = 0; p < 3; ++p)
            newKeys[p] = keyOf(p);
    const bool keepScan = state_ == TableState::Edit && scan_ && scan_->active && scan_->lastRid == rid_
                          && scan_->version == file_->version()
                          && std::equal(std::begin(newKeys), std::end(newKeys), std::begin(keys_));
    if (!keepScan)
        resetScan();
    if (state_ == TableState::Insert) {
        // The buffer is what was stored: the new record becomes current without reading it back.
        rid_ = file_->insertRecord(values_);
        for (int p = 0; p < 3; ++p)
            keys_[p] = keyOf(p);
    } else if (!file_->updateRecord(rid_, values_)) {
        throw EngineError(QStringLiteral("O registro foi apagado da tabela %1").arg(file_->displayName()));
    } else {
        std::copy(std::begin(newKeys), std::end(newKeys), std::begin(keys_));
    }
    bof_ = eof_ = false;
    modified_ = false;
    setState(TableState::Browse);
    file_->dataChangedBy(this);
    if (keepScan && scan_->active)
        scan_->version = file_->version();
    emit dataChanged();
    checkInvariants();
    emit recordChanged();
}

void Table::cancel()
{
    requireOpen();
    const TableState was = state_;
    if (was == TableState::Browse)
        return;
    modified_ = false;
    setState(TableState::Browse);
    if (was == TableState::Insert) {
        loadRecord(ridBeforeInsert_);
        if (rid_ == 0 && file_->recordCount() > 0)
            goFirst();
        bof_ = eof_ = rid_ == 0;
    } else if (was == TableState::Edit) {
        loadRecord(rid_);
        if (rid_ == 0)
            repositionAfterLoss();
    }
    checkInvariants();
    emit recordChanged();
}

void Table::deleteRecord()
{
    requireOpen();
    if (state_ == TableState::Insert) {
        cancel();
        return;
    }
    if (state_ == TableState::Key)
        setState(TableState::Browse);
    if (rid_ == 0 || file_->recordCount() == 0)
        throw EngineError(QStringLiteral("A tabela %1 está vazia: não há registro para apagar")
                              .arg(file_->displayName()));
    resetScan();
    const qint64 victim = rid_;
    file_->deleteRecord(victim);
    modified_ = false;
    setState(TableState::Browse);
    file_->dataChangedBy(this);
    // The keys still name the deleted record's place: go on from there.
    repositionAfterLoss();
    emit dataChanged();
    checkInvariants();
    emit recordChanged();
}

void Table::enterKeyState()
{
    requireOpen();
    settle();
    setState(TableState::Key);
}

void Table::settle()
{
    if (settleDelegate_ && (state_ == TableState::Edit || state_ == TableState::Insert)) {
        const std::function<void()> delegate = std::move(settleDelegate_);
        settleDelegate_ = nullptr;
        delegate();
    }
    if (state_ == TableState::Edit || state_ == TableState::Insert) {
        if (modified_)
            post();
        else
            cancel();
    }
}

// ---- fields ----------------------------------------------------------------------------------

QString Table::fieldText(int field) const
{
    requireOpen();
    if (field < 0 || field >= values_.size())
        throw EngineError(QStringLiteral("Campo inexistente na tabela %1").arg(file_->displayName()));
    if (file_->schema()[field].type == FieldType::Date)
        return dateToText(QDate::fromString(values_[field], Qt::ISODate));
    return values_[field];
}

QString Table::fieldText(const QString &name) const
{
    return fieldText(requireField(name));
}

QString Table::displayText(int field) const
{
    return fieldText(field);
}

QString Table::displayText(const QString &name) const
{
    return fieldText(requireField(name));
}

void Table::setFieldText(const QString &name, const QString &text)
{
    setFieldText(requireField(name), text);
}

void Table::setFieldText(int field, const QString &text)
{
    requireOpen();
    const FieldDef &def = file_->schema().at(field);
    if (state_ != TableState::Edit && state_ != TableState::Insert)
        throw EngineError(
            QStringLiteral("A tabela %1 não está em edição ou inclusão").arg(file_->displayName()));
    QString stored = text;
    if (def.type == FieldType::Date) {
        if (isBlankDateText(text)) {
            stored.clear();
        } else {
            const auto d = dateFromText(text);
            if (!d)
                throw EngineError(QStringLiteral("'%1' não é uma data válida para o campo %2")
                                      .arg(text, def.name));
            stored = d->toString(Qt::ISODate);
        }
    } else if (const qsizetype length = characterCount(text); length < 0) {
        // Half a character would be stored as "?" while its key was made from the half: refused.
        throw EngineError(QStringLiteral("O texto do campo %1 contém um caractere incompleto (tabela %2)")
                              .arg(def.name, file_->displayName()));
    } else if (length > def.size) {
        throw EngineError(QStringLiteral("O texto do campo %1 excede %2 caracteres (tabela %3)")
                              .arg(def.name).arg(def.size).arg(file_->displayName()));
    }
    values_[field] = stored;
    modified_ = true;
    emit recordChanged();
}

} // namespace tables
