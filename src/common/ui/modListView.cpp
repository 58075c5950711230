#include "modListView.h"

#include "ListView.h"
#include "WaitCursor.h"
#include "common/core/ListSort.h"
#include "common/core/modGlobal.h"
#include "common/units/Twips.h"
#include "platform/settings/modRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace ardl {

namespace {

const QString &optionKey()
{
    static const QString key = ProgramKey + QStringLiteral("Option");
    return key;
}

void saveTwips(const QString &name, int pixels)
{
    CreateNewKey(optionKey());
    SetKeyValue(optionKey(), name, QString::number(PixelsToTwips(pixels)), REG_SZ);
}

// The stored pixels of an "Option" value, or nothing (and the key is created,
// as every loader does when a value is missing).
std::optional<int> loadTwips(const QString &name)
{
    const RegValue v = QueryValue(optionKey(), name);
    bool ok = false;
    const int twips = v.toInt(&ok);
    if (v.isEmpty() || !ok) {
        CreateNewKey(optionKey());
        return std::nullopt;
    }
    return TwipsToPixels(twips);
}

Qt::Alignment qtAlignment(int alignment)
{
    switch (alignment) {
    case 1: return Qt::AlignRight;
    case 2: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

// 0 left, 1 right, 2 centre for "L", "R", "C"; `previous` for anything else.
int alignmentCode(const QString &letter, int previous)
{
    if (letter.compare(QLatin1String("L"), Qt::CaseInsensitive) == 0)
        return 0;
    if (letter.compare(QLatin1String("R"), Qt::CaseInsensitive) == 0)
        return 1;
    if (letter.compare(QLatin1String("C"), Qt::CaseInsensitive) == 0)
        return 2;
    return previous;
}

QRect normalRect(const QWidget *form)
{
    const QRect normal = form->normalGeometry();
    return normal.isValid() ? normal : form->geometry();
}

// The frame's share around the inside of a shown window: its title bar and
// borders. Nothing is known before the window is shown.
QMargins frameMargins(const QWidget *form)
{
    const QRect outer = form->frameGeometry();
    const QRect inner = form->geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

// The outer corner of the normal window.
QPoint normalPosition(const QWidget *form)
{
    const QMargins frame = frameMargins(form);
    return normalRect(form).topLeft() - QPoint(frame.left(), frame.top());
}

} // namespace

void SaveColumnWidth(ListView *listView, int column, const QString &valueName)
{
    saveTwips(valueName, listView->header()->sectionSize(column - 1));
}

void LoadColumnWidth(ListView *listView, int column, const QString &valueName)
{
    constexpr int MaxWidth = 4000;
    if (const auto width = loadTwips(valueName))
        listView->header()->resizeSection(column - 1, qBound(0, *width, MaxWidth));
}

void SaveFormSize(QWidget *form, const QString &widthName, const QString &heightName)
{
    const QRect r = normalRect(form);
    saveTwips(widthName, r.width());
    saveTwips(heightName, r.height());
}

void LoadFormSize(QWidget *form, const QString &widthName, const QString &heightName)
{
    QSize size = form->size();
    if (const auto w = loadTwips(widthName))
        size.setWidth(qMax(1, *w));
    if (const auto h = loadTwips(heightName))
        size.setHeight(qMax(1, *h));
    form->resize(size);
}

void SaveFormPosition(QWidget *form, const QString &leftName, const QString &topName)
{
    const QPoint corner = normalPosition(form);
    saveTwips(leftName, corner.x());
    saveTwips(topName, corner.y());
}

void LoadFormPosition(QWidget *form, const QString &leftName, const QString &topName)
{
    // move() places the outer corner, before the window is shown too.
    QPoint corner = form->pos();
    if (const auto x = loadTwips(leftName))
        corner.setX(*x);
    if (const auto y = loadTwips(topName))
        corner.setY(*y);
    form->move(corner);
}

void CentreOnScreen(QWidget *form)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QMargins frame = frameMargins(form);
    const QSize outer = form->size().grownBy(frame);
    const QRect avail = screen->availableGeometry();
    form->move(avail.left() + qMax(0, (avail.width() - outer.width()) / 2),
               avail.top() + qMax(0, (avail.height() - outer.height()) / 2));
}

void KeepOnVisibleScreen(QWidget *form)
{
    const QMargins frame = frameMargins(form);
    QRect outer(form->pos(), form->size().grownBy(frame));
    const QScreen *screen = QGuiApplication::screenAt(outer.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect avail = screen->availableGeometry();
    outer.setWidth(qMin(outer.width(), avail.width()));
    outer.setHeight(qMin(outer.height(), avail.height()));
    outer.moveLeft(qBound(avail.left(), outer.left(), avail.right() + 1 - outer.width()));
    outer.moveTop(qBound(avail.top(), outer.top(), avail.bottom() + 1 - outer.height()));
    form->resize(outer.size().shrunkBy(frame));
    form->move(outer.topLeft());
}

void SaveCheckOption(QCheckBox *checkBox, const QString &valueName)
{
    SaveCheckOption(checkBox, valueName, QStringLiteral("Option\\AddZip"));
}

int LoadCheckOption(QCheckBox *checkBox, const QString &valueName)
{
    return LoadCheckOption(checkBox, valueName, QStringLiteral("Option\\AddZip"));
}

void SaveCheckOption(QCheckBox *checkBox, const QString &valueName, const QString &subKey)
{
    const QString key = ProgramKey + subKey;
    CreateNewKey(key);
    SetKeyValue(key, valueName, checkBox->isChecked() ? QStringLiteral("True") : QStringLiteral("False"), REG_SZ);
}

int LoadCheckOption(QCheckBox *checkBox, const QString &valueName, const QString &subKey)
{
    const QString key = ProgramKey + subKey;
    const RegValue v = QueryValue(key, valueName);
    if (v.isEmpty()) {
        CreateNewKey(key);
        return 0;
    }
    const bool on = v.toString() == QLatin1String("True");
    checkBox->setChecked(on);
    return on ? 1 : 0;
}

void LoadRecentList(QComboBox *list, const QString &listKey, int defaultCount)
{
    list->addItems(RecentListEntries(listKey, defaultCount));
}

void SaveDirectory(QComboBox *comboBox, const QString &fullListKey, const RecentParts &parts,
                   QStringList *companion)
{
    WaitCursor wait;
    const QString text = comboBox->currentText();
    QStringList items;
    for (int i = 0; i < comboBox->count(); ++i)
        items << comboBox->itemText(i);
    const qsizetype before = items.size();
    SaveDirectory(text, items, fullListKey, parts, companion);
    if (items.size() > before) {
        comboBox->insertItem(0, text);
        comboBox->setCurrentIndex(0);
    }
}

void ShowHeaderIcon(ListView *listView, int columnIndex, int imageIndex, int alignment, bool show)
{
    ListViewModel &model = listView->rows();
    if (columnIndex < 0 || columnIndex >= model.columnCount())
        return;
    ListColumn column = model.column(columnIndex);
    if (column.alignment != qtAlignment(alignment)) {
        column.alignment = qtAlignment(alignment);
        model.setColumn(columnIndex, column);
    }
    QHeaderView *header = listView->header();
    if (show) {
        header->setSortIndicatorShown(true);
        header->setSortIndicator(columnIndex, imageIndex == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
    } else if (header->sortIndicatorSection() == columnIndex) {
        header->setSortIndicatorShown(false);
    }
}

void SortListView(ListView *listView, int &lastSortColumn, int column, int lastColumnIndex,
                  const QString &columnType, const QString &alignment)
{
    WaitCursor wait;
    listView->setUpdatesEnabled(false);
    const Qt::SortOrder order = SortListRows(listView->rows(), lastSortColumn, column, columnType);
    listView->setUpdatesEnabled(true);
    const int last = std::min(lastColumnIndex, listView->rows().columnCount() - 1);
    const int image = order == Qt::AscendingOrder ? 0 : 1;
    int code = 0;
    for (int k = 0; k <= last; ++k) {
        code = alignmentCode(sListPos(alignment, QStringLiteral("|"), k + 1), code);
        ShowHeaderIcon(listView, k, image, code, k == column - 1);
    }
}

} // namespace ardl
