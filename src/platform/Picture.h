// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QWidget>
#include <memory>

class QSvgRenderer;
class QTimer;

// A picture of the page designs: an SVG drawing scaled into the control's rectangle,
// keeping its proportions, so it scales with the page. Clickable pictures emit clicked().
// The drawing is rendered once per size; renderings are kept between runs (see
// PictureCache), so a page shown again at a known size draws at once.
class Picture : public QWidget
{
    Q_OBJECT
public:
    explicit Picture(QWidget *parent = nullptr);
    ~Picture() override;

    // Takes a drawing (a file or ":/..." resource path); false if it cannot be read or
    // is no SVG document. The drawing is decoded when it is first needed: a page shown
    // at a size it has been shown at before never needs to decode it.
    bool setSource(const QString &path);
    QString source() const { return m_source; }
    // Whether the drawing decodes.
    bool isValid() const;

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    const QImage &rendering(QSize pixels, qreal ratio);
    QSvgRenderer *renderer() const;

    mutable std::unique_ptr<QSvgRenderer> m_renderer; // decoded on first need
    QString m_source;
    QByteArray m_drawing; // the drawing's bytes, for the cache key
    QImage m_image;       // the drawing at m_imageSize device pixels
    QSize m_imageSize;
    QByteArray m_imageKey;
    // The first rendering is kept at once (it is what the next start shows); later ones,
    // made while the page is being resized, only once the size has settled.
    bool m_keptOnce = false;
    QTimer *m_keepLater = nullptr;
};
