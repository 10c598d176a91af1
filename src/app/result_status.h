#pragma once

#include <QWidget>

class QLabel;

namespace app {

// Beside the menus: how many springs the last search found ("7 件"; nothing
// after a failed one) and the catalogue folder the searches read.
class ResultStatus : public QWidget {
    Q_OBJECT
public:
    explicit ResultStatus(QWidget* parent);

    void showCount(int springs);
    void clearCount();
    void showFolder(const QString& folder);

    QLabel* countLabel() const { return count_; }
    QLabel* folderLabel() const { return folder_; }

private:
    QLabel* count_;
    QLabel* folder_;
};

} // namespace app
