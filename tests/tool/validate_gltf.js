// Validates one glTF or GLB file and prints the validator's issue counts.
// Exits 0 when the asset has no errors, 1 when it has any, 2 on bad usage.
'use strict';
const fs = require('fs');
const path = require('path');
const validator = require('gltf-validator');

const file = process.argv[2];
if (!file) {
    console.error('usage: node validate_gltf.js FILE');
    process.exit(2);
}

validator
    .validateBytes(new Uint8Array(fs.readFileSync(file)), {
        uri: path.basename(file),
        maxIssues: 100,
    })
    .then((report) => {
        const issues = report.issues;
        console.log(
            `errors ${issues.numErrors} warnings ${issues.numWarnings} ` +
                `infos ${issues.numInfos} hints ${issues.numHints}`
        );
        for (const message of issues.messages) {
            console.log(`${message.severity} ${message.code} ${message.pointer || ''}: ${message.message}`);
        }
        process.exit(issues.numErrors === 0 ? 0 : 1);
    })
    .catch((error) => {
        console.error(`validation failed: ${error}`);
        process.exit(1);
    });
