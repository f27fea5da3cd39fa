#pragma once
// The preview's messages.
#include <QString>

namespace corvel::preview_text {

inline QString BrowserMissing() {
    return QStringLiteral(
        "Você optou por utilizar um navegador específico, porém, nenhum navegador foi "
        "especificado ou o navegador especificado anteriormente não existe mais. Na pasta "
        "Preview do item Opções, especifique o navegador de sua preferência ou, caso não esteja "
        "certo sobre qual arquivo informar, assinale a opção para utiilização do navegador "
        "padrão de seu computador.");
}
inline QString WriteFailed() {
    return QStringLiteral("Ocorreu um erro ao tentar gravar o arquivo para realizar o preview.");
}
inline QString DefaultBrowserFailed() {
    return QStringLiteral("Ocorreu um erro ao tentar executar o preview no navegador padrão. "
                          "Verifique se seu computador possui um navegador padrão selecionado.");
}
inline QString SpecificBrowserFailed() {
    return QStringLiteral("Ocorreu um erro ao tentar executar o preview no navegador "
                          "especificado. Verifique se o arquivo informado nas Opções é válido.");
}
inline QString InternalBrowserFailed() {
    return QStringLiteral(
        "Ocorreu um erro ao tentar executar o preview no navegador interno. Possibilidades:\n\n"
        "1) Ocorreu um erro interno no Internet Explorer e ele foi finalizado pelo Windows. Isto "
        "pode ocorrer por erros em códigos JavaScript ou applets Java. Neste caso, na próxima vez "
        "que você pressionar F12, o Corvel irá iniciar ou reiniciar o Internet Explorer e "
        "prosseguir normalmente.\n\n"
        "2) O navegador interno do Corvel é baseado no Internet Explorer 4.0 ou superior, e você "
        "precisa ter o navegador instalado para utilizar esta opção. Se você não possui o "
        "Internet Explorer ou possui a versão 3 ou inferior, não poderá utilizar esta opção; "
        "neste caso, habilite a opção de navegador padrão nas Opções do programa.");
}
inline QString BrowserStartFailed() {
    return QStringLiteral(
        "Ocorreu um erro na tentativa de inicializar uma instância do Internet Explorer para "
        "preview. Provavelmente você não possui o Internet Explorer 4 ou superior em seu "
        "computador ou este não pode ser iniciado via aplicativo. Para maiores informações, "
        "acesse o Help ou o site do Corvel na Internet.");
}
inline QString BrowserPageFailed() {
    return QStringLiteral(
        "Ocorreu um erro no preview, que pode ter sido gerado, por exemplo, por um erro de código "
        "JavaScript, applet Java ou um erro interno no Internet Explorer. O Corvel irá finalizar "
        "a instância aberta do Internet Explorer e tentar prosseguir normalmente. Caso o erro "
        "persista, tente reiniciar o Corvel. Persistindo novamente, reinicie seu computador "
        "(neste caso, o erro foi causado pelo Internet Explorer).");
}

inline const QString kPreviewError = QStringLiteral("Erro de Preview");
inline const QString kStartError = QStringLiteral("Erro no Preview");
inline const QString kBrowserMissingTitle = QStringLiteral("Browser Inexistente");

} // namespace corvel::preview_text
