#pragma once
// The program's own texts, in GBK.

#include <string>

namespace extdict::texts {

const std::string& helpText();
const std::string& mainCaption();
const std::string& trayTip();
const std::string& databaseFileName();
const std::string& extensionFieldName();
const std::string& noteFieldName();
const std::string& createFailed();
const std::string& openAfterCreateFailed();
// Tells the user where a file that was not a usable database was moved; %s is the new path.
std::string damagedDatabaseMovedAside(const std::string& newPath);
std::string lengthCaption(const std::string& savedCaption, std::size_t noteBytes);
std::string recordCountMessage(int count);
const std::string& clearQuestion();

} // namespace extdict::texts
