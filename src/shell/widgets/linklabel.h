#pragma once

#include <QLabel>

// A footer link: blue, underlined, a pointing hand; `clicked` on a left
// click.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
