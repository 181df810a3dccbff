#include "update/text_fetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

TextFetch::TextFetch(QNetworkAccessManager *network, int msecs, qint64 maxBytes, QObject *parent)
    : QObject(parent), network_(network), maxBytes_(maxBytes)
{
    deadline_.setSingleShot(true);
    deadline_.setInterval(msecs);
    connect(&deadline_, &QTimer::timeout, this, [this] { give({}); });
}

TextFetch::~TextFetch() { dropReply(); }

void TextFetch::OpenURL(const QUrl &url)
{
    dropReply();
    body_.clear();
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // Asked for as it is, not compressed: the size limit then holds for what arrives and for
    // what it would grow to.
    request.setRawHeader("Accept-Encoding", "identity");
    reply_ = network_->get(request);
    // Nothing beyond the limit is held in memory on the way in.
    reply_->setReadBufferSize(maxBytes_ + 1);
    connect(reply_, &QNetworkReply::readyRead, this, &TextFetch::take);
    connect(reply_, &QNetworkReply::finished, this, &TextFetch::end);
    deadline_.start();
}

void TextFetch::take()
{
    body_ += reply_->read(maxBytes_ + 1 - body_.size());
    if (body_.size() > maxBytes_)
        give({});
}

void TextFetch::end()
{
    const int status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply_->error() != QNetworkReply::NoError || status != 200)
        return give({});
    take();
    if (reply_)
        give(body_);
}

void TextFetch::give(const QByteArray &text)
{
    dropReply();
    emit finished(text);
}

void TextFetch::dropReply()
{
    deadline_.stop();
    if (!reply_)
        return;
    QNetworkReply *reply = reply_;
    reply_ = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}
