// Puts a room's link on the clipboard. The clipboard API exists only in secure contexts
// (HTTPS, localhost); over plain HTTP on a LAN the older copy command still copies a
// selection. Resolves to whether the link was copied.

export async function copyText(text) {
    if (navigator.clipboard && window.isSecureContext) {
        try {
            await navigator.clipboard.writeText(text);
            return true;
        } catch {
            // Refused (no permission, page not focused): the older way may still work.
        }
    }
    const field = document.createElement('textarea');
    field.value = text;
    field.setAttribute('readonly', '');
    Object.assign(field.style, { position: 'fixed', top: '0', left: '0', opacity: '0' });
    document.body.append(field);
    field.select();
    let copied = false;
    try {
        copied = document.execCommand('copy');
    } catch {
        copied = false;
    }
    field.remove();
    return copied;
}
