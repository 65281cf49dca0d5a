#pragma once

#include <QString>
#include <QUrl>

namespace quill {

// The address of `path` on the server at `base`. Backslashes in the path are sent as forward
// slashes; a query ("/?QUILLBIN1.0") is kept as a query.
QUrl ServerUrl(const QString& base, const QString& path);
// The same on the maker's web server.
QUrl ServerUrl(const QString& path);

// Whether `text` (surrounding white space ignored) is an http or https address with a host:
// the only kind of text from the server that the desktop shell may open. A file path, a
// program or any other scheme would let the server start something on this machine.
bool IsWebAddress(const QString& text);

// Opens `text` in the browser through the desktop shell when it is a web address; anything
// else is ignored.
void OpenWebAddress(const QString& text);

}  // namespace quill
