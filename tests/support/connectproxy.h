#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpServer>

namespace testhttp {

// A loopback proxy for tests that answers CONNECT with a tunnel to one fixed
// loopback port, whatever the host asked for, and records the requests. With
// a refusal set it answers that instead and closes.
class ConnectProxy : public QObject {
    Q_OBJECT
public:
    explicit ConnectProxy(quint16 targetPort, QObject *parent = nullptr);

    quint16 port() const { return m_server.serverPort(); }
    void setRefusal(const QByteArray &reply) { m_refusal = reply; }
    const QList<QByteArray> &requests() const { return m_requests; }

private:
    void onNewConnection();

    QTcpServer m_server;
    quint16 m_targetPort;
    QByteArray m_refusal;
    QList<QByteArray> m_requests;
};

} // namespace testhttp
