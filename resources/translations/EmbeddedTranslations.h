#pragma once

namespace lirasto {

// Makes the compiled translations, ":/i18n/lirasto_<code>.qm", readable. Cheap to call again.
void EmbedTranslations();

} // namespace lirasto
