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
    void showFolder(const QString& folder);

    QLabel* countLabel() const { return count_; }
    QLabel* folderLabel() const { return folder_; }

private:
    QLabel* count_;
    int base_width_ = 0;
    QLabel* folder_;
};

} // namespace app
