#pragma once

#include "documents/report_document.h"

#include <QWidget>

namespace desk {

// One of the report's vector drawings, scaled to fit the widget and centred, so that a figure
// stays sharp at any window size.
class PictureView : public QWidget {
    Q_OBJECT
public:
    explicit PictureView(const QString &accessibleName, QWidget *parent = nullptr);

    // An empty picture (no paint function) shows `placeholder` instead.
    void setPicture(const report::Picture &picture, const QString &placeholder = QString());

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    report::Picture m_picture;
    QString m_placeholder;
};

} // namespace desk
