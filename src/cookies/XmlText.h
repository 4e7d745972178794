#pragma once
// The text between two tags of an XML file, with its character references read.
#include <string>

namespace cookies {

// `raw` with &amp; &lt; &gt; &quot; &apos; and numeric references (&#38; &#x26;, written as
// UTF-8) read; false for a bare '&', an unknown name, or a reference to no character.
bool DecodeXmlText(const std::string& raw, std::string* text);

}  // namespace cookies
