#pragma once
// The rows of the main list: one row per timing item, shown by every view of the list.

#include <QAbstractTableModel>
#include <QPersistentModelIndex>
#include <QString>

#include <array>
#include <vector>

// Positions in the public functions are 1-based, like the per-item lists whose entry i belongs to
// row i. The model lives in QtCore: views map ImageRole and BoldRole to pictures and fonts.
class ItemRowModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColName = 0, ColLatestStart, ColUpTo, ColCount, ColMinutes, ColScheme, ColResult };
    static constexpr int ColumnCount = 7;
    enum Role { ImageRole = Qt::UserRole + 1, TagRole, BoldRole };
    static constexpr int ImageTimed = 1;
    static constexpr int ImageStopped = 2;

    static QString ColumnHeader(int col);
    static int ColumnWidthTwips(int col);

    explicit ItemRowModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    int Count() const { return static_cast<int>(m_rows.size()); }
    bool IsValid(int pos) const { return pos >= 1 && pos <= Count(); }

    // Appends a row showing name, with the given image and tag; returns its position.
    int AppendRow(const QString &name, int image, bool tag);
    bool RemoveRow(int pos);

    QString Text(int pos, int col) const;
    void SetText(int pos, int col, const QString &text);
    int Image(int pos) const;
    void SetImage(int pos, int image);
    bool Tag(int pos) const;
    void SetTag(int pos, bool tag);
    bool Bold(int pos) const;
    void SetBold(int pos, bool bold);

    // While a batch is open, cell changes are gathered and announced once when it closes: the
    // minute refresh rewrites thousands of cells and views need to hear about it only once.
    class Batch {
    public:
        explicit Batch(ItemRowModel &model) : m_model(model) { ++m_model.m_batchDepth; }
        ~Batch() { m_model.endBatch(); }
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        ItemRowModel &m_model;
    };

    // A handle to row pos that follows the row when earlier rows are removed.
    QPersistentModelIndex Handle(int pos) const;
    // The 1-based position of a handle's row, or 0 when the handle is empty or its row is gone.
    int PositionOf(const QPersistentModelIndex &handle) const;

private:
    struct Row {
        std::array<QString, ColumnCount> text;
        int image = ImageStopped;
        bool tag = false;
        bool bold = false;
    };
    void rowChanged(int pos, int firstCol, int lastCol, const QList<int> &roles);
    void endBatch();

    int m_batchDepth = 0;
    int m_dirtyFirst = -1; // 0-based rows touched during the open batch
    int m_dirtyLast = -1;

    std::vector<Row> m_rows;
};
