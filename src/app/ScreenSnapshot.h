#pragma once

// Off-screen views of a screen for tests, reviewers and the README: its control
// tree as JSON and its client area as a picture.

#include <QImage>
#include <QJsonObject>
#include <QString>

class TCustomForm;

QJsonObject DumpForm(TCustomForm* form);
// The client area as it looks right after opening.
QImage RenderForm(TCustomForm* form);
