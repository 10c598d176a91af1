#pragma once

#include <QWidget>

#include <optional>

class QLabel;

namespace app {

// Beside the menus: how many springs the last search found ("7 件"; nothing
// after a failed one) and the catalogue folder the searches read.
class ResultStatus : public QWidget {
    Q_OBJECT
public:
    explicit ResultStatus(QWidget* parent);

    // "7 件", or "7 件（不可 12 件を除外）" when the search left failing springs out.
    void showCount(int springs, std::optional<int> excluded = std::nullopt);
    void clearCount();
    // The check conditions changed after the search: the list it left may differ
    // from one searched now, and the count says so until the next search.
    void setStale(bool stale);
    void showFolder(const QString& folder);

    // Follows the room `bar` leaves beside its menus: the folder label narrows and
    // then goes, and the hit count goes last, before any menu goes behind "»".
    void followRoom(QWidget* bar);

    QLabel* countLabel() const { return count_; }
    QLabel* folderLabel() const { return folder_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitRoom();
    void relayoutBar();

    void showCountText();

    QLabel* count_;
    QString count_text_;
    bool stale_ = false;
    int base_width_ = 0;
    QLabel* folder_;
    QString folder_text_;
    QWidget* bar_ = nullptr;
    bool relayout_ = false;
};

} // namespace app
