#include <cstring>
#include <vector>

#include <QTest>

#include "db/DataSet.h"
#include "db/DataSource.h"
#include "db/Field.h"
#include "db/FieldDataLink.h"
#include "tests/support/RecordingLink.h"

// The dataset base on its own, over the smallest table there is: one integer column in a list,
// buffers holding a position and a value. It shows that the window, the moves and the links
// need nothing of a table beyond the fetching and storing steps.

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

QStringList texts(std::initializer_list<const char *> items)
{
    QStringList result;
    for (const char *item : items)
        result << s(item);
    return result;
}

class ListDataSet final : public TDataSet
{
public:
    struct Buffer
    {
        qint32 position;
        qint32 value;
        bool hasValue;
        TBookmarkFlag flag;
    };

    explicit ListDataSet(std::vector<qint32> values)
        : m_values(std::move(values))
    {
        setObjectName(s("List"));
        new TIntegerField(this, s("v"));
    }
    ~ListDataSet() override
    {
        BeginDestroy();
        CloseTable();
    }

    std::vector<qint32> m_values;

protected:
    static Buffer *of(TRecordBuffer buffer) { return reinterpret_cast<Buffer *>(buffer); }

    TRecordBuffer AllocRecordBuffer() override { return reinterpret_cast<TRecordBuffer>(new Buffer {}); }
    void FreeRecordBuffer(TRecordBuffer buffer) override { delete of(buffer); }
    void InternalOpen() override
    {
        setFieldBinding(Fields().front(), 0);
        m_cursor = -1;
    }
    void InternalClose() override { setFieldBinding(Fields().front(), -1); }
    void InternalFirst() override { m_cursor = -1; }
    void InternalLast() override { m_cursor = qint32(m_values.size()); }
    bool FetchRecord(TRecordBuffer buffer, TGetMode mode) override
    {
        const qint32 count = qint32(m_values.size());
        if (mode == TGetMode::gmNext) {
            if (m_cursor >= count - 1)
                return false;
            ++m_cursor;
        } else if (mode == TGetMode::gmPrior) {
            if (m_cursor <= 0)
                return false;
            --m_cursor;
        } else if (m_cursor < 0 || m_cursor >= count) {
            return false;
        }
        *of(buffer) = {m_cursor, m_values[size_t(m_cursor)], true, TBookmarkFlag::bfCurrent};
        return true;
    }
    void InternalInitRecord(TRecordBuffer buffer) override { *of(buffer) = {-1, 0, false, TBookmarkFlag::bfCurrent}; }
    void InternalSetToRecord(TRecordBuffer buffer) override
    {
        const Buffer *b = of(buffer);
        if (b->flag == TBookmarkFlag::bfEOF)
            m_cursor = qint32(m_values.size());
        else if (b->flag == TBookmarkFlag::bfBOF)
            m_cursor = -1;
        else
            m_cursor = b->position;
    }
    TBookmarkFlag BookmarkFlagOf(TRecordBuffer buffer) const override { return of(buffer)->flag; }
    void setBookmarkFlagOf(TRecordBuffer buffer, TBookmarkFlag flag) override { of(buffer)->flag = flag; }
    void CopyBookmarkEntry(TRecordBuffer from, TRecordBuffer to) override { of(to)->position = of(from)->position; }
    TBookmark BookmarkOf(TRecordBuffer buffer) const override
    {
        TBookmark bookmark;
        bookmark.data = QByteArray::number(of(buffer)->position);
        return bookmark;
    }
    bool InternalGotoBookmark(const TBookmark &bookmark) override
    {
        m_cursor = bookmark.data.toInt();
        return true;
    }
    void InternalPost() override
    {
        const Buffer *b = of(ActiveBuffer());
        if (State() == TDataSetState::dsEdit)
            m_values[size_t(m_cursor)] = b->value;
        else
            m_values.push_back(b->value);
    }
    void InternalDelete() override { m_values.erase(m_values.begin() + m_cursor); }
    bool ReadFieldData(const TField *, TRecordBuffer buffer, qint32 &value) const override
    {
        value = of(buffer)->value;
        return of(buffer)->hasValue;
    }
    void WriteFieldData(const TField *, TRecordBuffer buffer, const qint32 *value) override
    {
        of(buffer)->hasValue = value != nullptr;
        if (value)
            of(buffer)->value = *value;
    }

public:
    qint32 RowCount() const override
    {
        CheckActive();
        return qint32(m_values.size());
    }

private:
    qint32 m_cursor = -1;
};

} // namespace

class tst_DataSet : public QObject
{
    Q_OBJECT

private slots:
    void windowAndMoves();
    void editingThroughTheBase();
    void fieldLinkFollowsItsField();
    void switchingDataSets();
    void linkWithoutSource();
};

void tst_DataSet::windowAndMoves()
{
    ListDataSet list({10, 20, 30, 40, 50, 60, 70});
    TDataSource source;
    source.setDataSet(&list);
    RecordingLink view;
    view.setWindowCapacity(3);
    view.setDataSource(&source);
    list.OpenTable();
    QCOMPARE(view.values(s("v")), QList<QVariant>({10, 20, 30}));
    QCOMPARE(list.ActiveRow(), 0);

    view.clearLogs();
    QCOMPARE(list.MoveRows(4), 4);
    QCOMPARE(view.notifications, texts({"check-browse-mode", "dataset-scroll -2"}));
    QCOMPARE(view.values(s("v")), QList<QVariant>({30, 40, 50}));
    QCOMPARE(list.FieldValue(s("v")), QVariant(50));

    list.MoveLast();
    QCOMPARE(view.values(s("v")), QList<QVariant>({50, 60, 70}));
    QVERIFY(list.AtLastRow());
    QCOMPARE(list.MoveRows(-7), -6);
    QCOMPARE(list.FieldValue(s("v")), QVariant(10));
    QVERIFY(list.AtFirstRow());

    view.setWindowCapacity(5);
    QCOMPARE(view.values(s("v")), QList<QVariant>({10, 20, 30, 40, 50}));
    list.CloseTable();
    QCOMPARE(list.WindowCapacity(), 0);
    QVERIFY(list.FieldValue(s("v")).isNull());
}

void tst_DataSet::editingThroughTheBase()
{
    ListDataSet list({1, 2, 3});
    TDataSource source;
    source.setDataSet(&list);
    RecordingLink view;
    view.setWindowCapacity(2);
    view.setDataSource(&source);
    list.OpenTable();
    list.MoveLast();
    list.EditRow();
    list.setFieldValue(s("V"), 33);
    list.PostRow();
    QCOMPARE(list.m_values, std::vector<qint32>({1, 2, 33}));
    list.AppendRow();
    QVERIFY(list.FieldValue(s("v")).isNull());
    QCOMPARE(view.values(s("v")), QList<QVariant>({33, QVariant()}));
    list.setFieldValue(s("v"), 4);
    list.PostRow();
    QCOMPARE(list.m_values, std::vector<qint32>({1, 2, 33, 4}));
    QCOMPARE(view.values(s("v")), QList<QVariant>({33, 4}));
    list.DeleteRow();
    QCOMPARE(list.FieldValue(s("v")), QVariant(33));
    QCOMPARE(view.values(s("v")), QList<QVariant>({2, 33}));
    try {
        list.FieldNamed(s("w"));
        QFAIL("no error");
    } catch (const EDatabaseError &e) {
        QCOMPARE(e.message(), s("List: Field 'w' not found"));
    }
}

void tst_DataSet::fieldLinkFollowsItsField()
{
    ListDataSet list({5, 6});
    TDataSource source;
    source.setDataSet(&list);
    TFieldDataLink label;
    QStringList shown;
    label.OnDataChange = [&] { shown << (label.Field() ? label.Field()->DisplayText() : s("(none)")); };
    label.setDataSource(&source);
    label.setFieldName(s("v")); // inactive: no field yet
    QCOMPARE(label.Field(), nullptr);
    list.OpenTable();
    QCOMPARE(label.Field(), list.Fields().front());
    list.MoveLast();
    label.setFieldName(QString());
    label.setFieldName(s("V"));
    QCOMPARE(shown, texts({"5", "5", "6", "(none)", "6"}));
    list.CloseTable();
    QCOMPARE(label.Field(), nullptr);
}

void tst_DataSet::switchingDataSets()
{
    ListDataSet first({1, 2, 3});
    ListDataSet second({7});
    TDataSource source;
    RecordingLink view;
    view.setWindowCapacity(4);
    view.setDataSource(&source);
    first.OpenTable();
    second.OpenTable();
    QCOMPARE(first.WindowCapacity(), 1);
    source.setDataSet(&first);
    QCOMPARE(first.WindowCapacity(), 4);
    QCOMPARE(view.values(s("v")), QList<QVariant>({1, 2, 3}));
    QVERIFY(view.Active());
    view.clearLogs();
    source.setDataSet(&second);
    QCOMPARE(view.notifications, texts({"dataset-change"}));
    QCOMPARE(first.WindowCapacity(), 1);
    QCOMPARE(second.WindowCapacity(), 4);
    QCOMPARE(view.values(s("v")), QList<QVariant>({7}));
    source.setDataSet(nullptr);
    QVERIFY(!view.Active());
    QCOMPARE(view.RowCount(), 0);
}

void tst_DataSet::linkWithoutSource()
{
    RecordingLink link;
    QCOMPARE(link.DataSet(), nullptr);
    QVERIFY(!link.Active());
    QCOMPARE(link.RowCount(), 0);
    QCOMPARE(link.ActiveRow(), 0);
    QCOMPARE(link.MoveRows(3), 0);
    QVERIFY(!link.AtFirstRow());
    link.setWindowCapacity(0);
    QCOMPARE(link.WindowCapacity(), 1); // at least one row
    link.setActiveRow(2); // nothing to present: nothing happens
    QVERIFY(link.notifications.isEmpty());
}

QTEST_GUILESS_MAIN(tst_DataSet)
#include "tst_DataSet.moc"
