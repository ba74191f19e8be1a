#include "ui/qt/SearchPopup.h"

#include <QAbstractListModel>
#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "content/NicheCatalog.h"
#include "ui/qt/Widgets.h"

namespace veltrane::qt {
namespace {

// Problems read per slice while the index is made: each slice is a few milliseconds, so
// typing and painting go on between them.
constexpr std::size_t kFilesPerSlice = 64;

enum Role { PlaceRole = Qt::UserRole, MineRole, ExcerptRole, MatchStartRole, MatchLengthRole };

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Place(const SearchHit& hit) {
  const NicheEntry& niche = NicheCatalog()[static_cast<std::size_t>(hit.niche)];
  return FromView(niche.name) + QStringLiteral(" \u203A ") +
         FromView(niche.subniches[static_cast<std::size_t>(hit.subniche)]);
}

QString FieldName(SearchField field) {
  switch (field) {
    case SearchField::Name:
      return QStringLiteral("name");
    case SearchField::Problem:
      return QStringLiteral("problem");
    case SearchField::Free:
      return QStringLiteral("free resource");
    case SearchField::Paid:
      return QStringLiteral("paid resources");
  }
  return {};
}

// Three lines a result: the name, bold, with "mine" after the user's own; the niche and
// subniche; the matched part, the match itself bold. All drawn as plain text.
class ResultDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return {option.rect.width(), option.fontMetrics.height() * 3 + 10};
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& given,
             const QModelIndex& index) const override {
    QStyleOptionViewItem option = given;
    initStyleOption(&option, index);
    option.text.clear();
    QStyle* style = option.widget != nullptr ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &option, painter, option.widget);

    const bool selected = (option.state & QStyle::State_Selected) != 0;
    const QPalette::ColorRole textRole = selected ? QPalette::HighlightedText : QPalette::Text;
    const QColor text = option.palette.color(textRole);
    QColor dim = text;
    dim.setAlphaF(0.7f);
    const QRect area = option.rect.adjusted(6, 4, -6, -4);
    const int line = option.fontMetrics.height();
    QFont bold = option.font;
    bold.setBold(true);
    painter->save();
    painter->setClipRect(option.rect);

    // The name, and the mark of the user's own.
    painter->setFont(bold);
    painter->setPen(text);
    const QFontMetrics boldMetrics(bold);
    const QString mine = index.data(MineRole).toBool() ? QStringLiteral("mine") : QString();
    const int mineWidth = mine.isEmpty() ? 0 : option.fontMetrics.horizontalAdvance(mine) + 12;
    const QString name = boldMetrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                Qt::ElideRight, area.width() - mineWidth);
    painter->drawText(QRect(area.left(), area.top(), area.width(), line), Qt::AlignLeft, name);
    if (!mine.isEmpty()) {
      painter->setFont(option.font);
      painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Link));
      painter->drawText(QRect(area.left() + boldMetrics.horizontalAdvance(name) + 12, area.top(),
                              mineWidth, line),
                        Qt::AlignLeft, mine);
    }

    // Where it is.
    painter->setFont(option.font);
    painter->setPen(dim);
    painter->drawText(QRect(area.left(), area.top() + line, area.width(), line), Qt::AlignLeft,
                      option.fontMetrics.elidedText(index.data(PlaceRole).toString(),
                                                    Qt::ElideRight, area.width()));

    // The matched part: before, the match in bold, after; cut at the right edge.
    const QString excerpt = index.data(ExcerptRole).toString();
    const qsizetype start = index.data(MatchStartRole).toLongLong();
    const qsizetype length = index.data(MatchLengthRole).toLongLong();
    int x = area.left();
    const int y = area.top() + 2 * line;
    const auto part = [&](const QString& piece, const QFont& font) {
      if (piece.isEmpty() || x >= area.right()) return;
      const QFontMetrics metrics(font);
      const QString shown = metrics.elidedText(piece, Qt::ElideRight, area.right() - x);
      painter->setFont(font);
      painter->drawText(QRect(x, y, area.right() - x, line), Qt::AlignLeft, shown);
      x += metrics.horizontalAdvance(shown);
    };
    painter->setPen(text);
    part(excerpt.left(start), option.font);
    part(excerpt.mid(start, length), bold);
    part(excerpt.mid(start + length), option.font);
    painter->restore();
  }
};

}  // namespace

// The hits of the last search; excerpts are made when a row is first asked for.
class SearchResults : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  void Set(std::vector<SearchHit> hits) {
    beginResetModel();
    hits_ = std::move(hits);
    excerpts_.assign(hits_.size(), std::nullopt);
    endResetModel();
  }
  const SearchHit* At(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < hits_.size()
               ? &hits_[static_cast<std::size_t>(row)]
               : nullptr;
  }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(hits_.size());
  }

  QVariant data(const QModelIndex& index, int role) const override {
    const SearchHit* hit = At(index.row());
    if (hit == nullptr) return {};
    switch (role) {
      case Qt::DisplayRole:
        return FromView(hit->name());
      case PlaceRole:
        return Place(*hit);
      case MineRole:
        return hit->mine;
      case ExcerptRole:
        return Excerpt(index.row()).text;
      case MatchStartRole:
        return Excerpt(index.row()).matchStart;
      case MatchLengthRole:
        return Excerpt(index.row()).matchLength;
      case Qt::AccessibleTextRole:
        // Its name and place, as the list reads it.
        return FromView(hit->name()) + QStringLiteral(", ") + Place(*hit) +
               (hit->mine ? QStringLiteral(", mine") : QString());
      case Qt::AccessibleDescriptionRole:
        return QStringLiteral("Found in the %1: %2")
            .arg(FieldName(hit->field), Excerpt(index.row()).text);
      case Qt::ToolTipRole:
        return Qt::convertFromPlainText(Excerpt(index.row()).text, Qt::WhiteSpaceNormal);
      default:
        return {};
    }
  }

 private:
  struct Shown {
    QString text;
    qsizetype matchStart = 0;
    qsizetype matchLength = 0;
  };
  const Shown& Excerpt(int row) const {
    std::optional<Shown>& shown = excerpts_[static_cast<std::size_t>(row)];
    if (!shown) {
      const SearchText::Excerpt excerpt = hits_[static_cast<std::size_t>(row)].Excerpt();
      const std::string_view text = excerpt.text;
      // In UTF-16 units, as QString counts.
      shown = Shown{FromView(text), FromView(text.substr(0, excerpt.matchStart)).size(),
                    FromView(text.substr(excerpt.matchStart, excerpt.matchLength)).size()};
    }
    return *shown;
  }

  std::vector<SearchHit> hits_;
  mutable std::vector<std::optional<Shown>> excerpts_;
};

SearchPopup::SearchPopup(ContentRoots roots, QWidget* window)
    : QFrame(window, Qt::Popup | Qt::FramelessWindowHint),
      index_(std::move(roots)),
      line_(new QLineEdit(this)),
      list_(new QListView(this)),
      status_(new PlainLabel(QString(), this)),
      results_(new SearchResults(this)) {
  setObjectName(QStringLiteral("picSearch"));
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setAccessibleName(QStringLiteral("Find a Problem"));
  UseReadableSelection(list_);
  auto* layout = new QVBoxLayout(this);
  line_->setObjectName(QStringLiteral("txtSearch"));
  line_->setPlaceholderText(QStringLiteral("Words of a problem's name or texts, in any niche"));
  line_->setAccessibleName(QStringLiteral("Find a problem"));
  line_->setClearButtonEnabled(true);
  status_->setObjectName(QStringLiteral("lblSearchStatus"));
  status_->setWordWrap(false);
  list_->setObjectName(QStringLiteral("lstSearchResults"));
  list_->setAccessibleName(QStringLiteral("Problems found"));
  list_->setModel(results_);
  list_->setItemDelegate(new ResultDelegate(list_));
  list_->setUniformItemSizes(true);
  list_->setFocusPolicy(Qt::NoFocus);  // the keyboard stays in the line; Up and Down move here
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  layout->addWidget(line_);
  layout->addWidget(status_);
  layout->addWidget(list_);

  connect(line_, &QLineEdit::textChanged, this, [this] { Update(); });
  // Up and Down move in the list while the keyboard stays in the line: the line says which
  // result is current.
  connect(
      list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
      [this](const QModelIndex& current) {
        if (!current.isValid()) return;
        line_->setAccessibleDescription(QStringLiteral("%1 (%2 of %3)")
                                            .arg(current.data(Qt::AccessibleTextRole).toString())
                                            .arg(current.row() + 1)
                                            .arg(results_->rowCount(QModelIndex())));
      });
  connect(list_, &QListView::clicked, this, [this](const QModelIndex& index) { Choose(index); });
  line_->installEventFilter(this);
  slices_.setInterval(0);
  connect(&slices_, &QTimer::timeout, this, [this] { BuildSlice(); });
}

SearchPopup::~SearchPopup() = default;

void SearchPopup::Open() {
  QWidget* window = parentWidget();
  returnFocus_ = QApplication::focusWidget();
  const int width = std::min(640, window->width() - 40);
  const int height = std::min(420, window->height() - 80);
  setGeometry(
      QRect(window->mapToGlobal(QPoint((window->width() - width) / 2, 60)), QSize(width, height)));
  show();
  line_->setFocus(Qt::PopupFocusReason);
  line_->selectAll();
  Update();
}

void SearchPopup::BuildSlice() {
  if (index_.Refresh(kFilesPerSlice)) {
    slices_.stop();
    Update();
  }
}

void SearchPopup::Update() {
  // Changes since the last search first; many new files send it back to slices.
  if (index_.Ready()) index_.Refresh(ProblemIndex::kChecksPerSearch);
  if (!index_.Ready()) {
    if (!slices_.isActive()) slices_.start();
    results_->Set({});
    SetStatus(QStringLiteral("Searching\u2026"));
    return;
  }
  const std::string query = ToUtf8(line_->text());
  results_->Set(QueryWords(query).empty() ? std::vector<SearchHit>() : index_.Search(query));
  const int count = results_->rowCount(QModelIndex());
  if (count > 0) list_->setCurrentIndex(results_->index(0));
  SetStatus(QueryWords(query).empty() ? QString()
            : count == 0              ? QStringLiteral("No problems found")
            : count == 1              ? QStringLiteral("1 problem found")
                                      : QStringLiteral("%L1 problems found").arg(count));
}

void SearchPopup::SetStatus(const QString& status) {
  // The label's change is announced as a change of its name; the line, which has the
  // keyboard, says it as its description.
  status_->setText(status);
  line_->setAccessibleDescription(status);
}

void SearchPopup::Choose(const QModelIndex& index) {
  const SearchHit* hit = results_->At(index.row());
  if (hit == nullptr) return;
  const SearchHit chosen = *hit;  // the model may be reset while the window acts on it
  hide();
  if (onChoose) onChoose(chosen.niche, chosen.subniche, std::string(chosen.name()));
}

void SearchPopup::Close() {
  hide();
  if (returnFocus_) returnFocus_->setFocus(Qt::PopupFocusReason);
}

bool SearchPopup::eventFilter(QObject* watched, QEvent* event) {
  if (watched == line_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_PageUp:
      case Qt::Key_PageDown:
        QApplication::sendEvent(list_, event);  // moves in the list while typing goes on
        return true;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        Choose(list_->currentIndex());
        return true;
      case Qt::Key_Escape:
        Close();
        return true;
      default:
        break;
    }
  }
  return QFrame::eventFilter(watched, event);
}

void SearchPopup::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    Close();
    return;
  }
  QFrame::keyPressEvent(event);
}

}  // namespace veltrane::qt
