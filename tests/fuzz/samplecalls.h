#pragma once
// One working call of every server method against a demo database, for the
// tests and tools that need real answers rather than hand-written ones: the
// cut-answer test and the fuzz corpus capture. Each call is sent through the
// in-process server, so its request and answer are the bytes that travel.

#include "tests/appserver/serverfixture.h"
#include "wire/value.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct SampleCall {
    QString name;    // unique: the method, with a suffix for error cases
    QString method;
    QList<wire::Value> params;
    int status = 200;  // the HTTP status the call is expected to answer with
};

// A call of every method in appserver::methodTable() answering 200, then
// calls answering 400, 404 and 500. The ids come from the fixture's
// database; the sign-in records from its demo machines. Methods that change
// data (basket, order, balance) come after the reads that show that data.
QList<SampleCall> sampleCalls(ServerFixture &server);

struct SampleAnswer {
    SampleCall call;
    QByteArray request;  // the request body sent
    int status = 0;      // the status that came
    QByteArray body;     // the answer body that came
};

// Sends every sample call and keeps what came back.
QList<SampleAnswer> sampleAnswers(ServerFixture &server);
