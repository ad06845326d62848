// Runs programs on the page's GL, GLU and GLUT: each in a new instance of
// the runner (a fresh GL context, as a new window has) on a canvas of its
// own, and gives back what each printed.
'use strict';

let compiled = null;

function runProgram(text, timeoutMs) {
    const old = document.getElementById('canvas');
    const canvas = document.createElement('canvas');
    canvas.id = 'canvas';
    old.replaceWith(canvas);
    const lines = [];
    return new Promise((resolve) => {
        let over = false;
        const finish = (why) => {
            if (over) return;
            over = true;
            if (why) lines.push(why);
            resolve(lines.join('\n'));
        };
        setTimeout(() => finish('timeout'), timeoutMs);
        createRunner({
            canvas,
            arguments: ['/program.txt'],
            print: (t) => lines.push(t),
            printErr: (t) => { if (!/^warning/.test(t)) lines.push('stderr ' + t); },
            preRun: [(m) => m.FS.writeFile('/program.txt', text)],
            instantiateWasm: (imports, success) => {
                WebAssembly.instantiate(compiled, imports).then((instance) => success(instance));
                return {};
            },
            lost: (why) => finish('lost ' + why),
            ended: () => finish(),
            onAbort: (why) => finish('abort ' + why),
        }).catch((e) => finish('abort ' + e));
    });
}

window.runPrograms = async (texts, timeoutMs) => {
    if (!compiled) compiled = await WebAssembly.compileStreaming(fetch('runner.wasm'));
    const outputs = [];
    for (const text of texts) outputs.push(await runProgram(text, timeoutMs || 5000));
    return outputs;
};
